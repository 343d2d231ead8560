#!/bin/sh
# Builds the optimised Release build and runs every benchmark in it (bin/bench_*.exe) under Wine,
# in one Xvfb session. Each benchmark times our code beside a baseline doing the same work in the
# same run and prints the ratios.
#   tools/bench.sh [name...]      only the named benchmarks (bench_NAME.exe), e.g. tools/bench.sh grid
# The build directory (and its Wine prefix) is KVL_RELEASE_DIR, default build/release.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="${KVL_RELEASE_DIR:-$root/build/release}"

"$root/tools/setup.sh"
. "$root/tools/release-config.sh"
kvl_release_build "$build"

selected() {
  name=$1
  shift
  [ $# -eq 0 ] && return 0
  for wanted in "$@"; do [ "$wanted" = "$name" ] && return 0; done
  return 1
}

. "$root/tools/wine-session.sh"
KVL_KEEPALIVE_EXE="$build/bin/winekeepalive.exe"
trap wine_session_stop EXIT
trap 'exit 130' INT TERM
wine_session_start "$build"
status=0
found=0
for program in "$build"/bin/bench_*.exe; do
  [ -f "$program" ] || continue
  name=$(basename "$program" .exe)
  name=${name#bench_}
  selected "$name" "$@" || continue
  found=1
  echo "== $name"
  (cd "$build/bin" && "$KVL_WINE" "$program") </dev/null || { echo "bench: $name failed" >&2; status=1; }
done
[ $found -eq 1 ] || { echo "bench: no benchmark matches: $*" >&2; status=2; }
exit $status
