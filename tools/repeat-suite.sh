#!/bin/sh
# Runs the whole test suite of a commit several times in a row, to show that it does not flake.
# Makes a fresh clone of the commit in a temporary folder, builds it once, starts one Wine
# session (tools/wine-session.sh of that commit) and runs ctest N times inside it. Prints a line
# per run and a summary; exits 1 when any run failed (the logs of the failed runs are kept and
# their folder printed).
#
#   tools/repeat-suite.sh [-n N] [COMMIT]      N defaults to 10, COMMIT to HEAD
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
runs=10
while getopts "n:" opt; do
  case $opt in
    n) runs=$OPTARG ;;
    *) echo "usage: $0 [-n N] [COMMIT]" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
case $runs in '' | *[!0-9]* | 0) echo "repeat-suite: N must be a positive number" >&2; exit 2 ;; esac
commit=$(git -C "$root" rev-parse --verify "${1:-HEAD}^{commit}")

"$root/tools/setup.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/kvl-repeat.XXXXXX")
logs="$work/logs"
mkdir -p "$logs"
clone="$work/src"
build="$clone/build/x86_64"
session_started=""
finish() {
  status=$?
  if [ -n "$session_started" ]; then wine_session_stop; fi
  if [ "$status" -eq 0 ]; then
    rm -rf "$work"
  else
    rm -rf "$clone"
    echo "repeat-suite: logs in $logs" >&2
  fi
  exit "$status"
}
trap finish EXIT
trap 'exit 130' INT TERM

echo "repeat-suite: $commit, $runs runs, in $work"
git clone --quiet --no-checkout "$root" "$clone"
git -C "$clone" -c advice.detachedHead=false checkout --quiet "$commit"

start=$(date +%s)
if ! { cmake -S "$clone" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
         -DCMAKE_TOOLCHAIN_FILE="$clone/cmake/mingw-x86_64.cmake" &&
       cmake --build "$build"; } >"$logs/build.log" 2>&1; then
  tail -n 30 "$logs/build.log" >&2
  echo "repeat-suite: the build failed" >&2
  exit 1
fi
echo "repeat-suite: built in $(( $(date +%s) - start )) s"

# The session of the commit itself, as its tools/test.sh starts it.
root_of_runner=$root
root=$clone
. "$clone/tools/wine-session.sh"
KVL_KEEPALIVE_EXE="$build/bin/winekeepalive.exe"
session_started=yes
# A session of several desktops publishes them for ctest; an older commit's session has one.
desktops=1
if command -v wine_session_desktops >/dev/null 2>&1; then desktops=$(wine_session_desktops); fi
wine_session_start "$build" "$desktops"
root=$root_of_runner
resources=""
if [ -n "${KVL_CTEST_RESOURCES:-}" ]; then resources="--resource-spec-file=$KVL_CTEST_RESOURCES"; fi

passed=0
failed=0
i=1
while [ "$i" -le "$runs" ]; do
  log="$logs/run-$i.log"
  start=$(date +%s)
  status=0
  # shellcheck disable=SC2086
  ctest --test-dir "$build" --output-on-failure -j "$(nproc)" $resources >"$log" 2>&1 || status=$?
  seconds=$(( $(date +%s) - start ))
  summary=$(grep -E '^[0-9]+% tests passed' "$log" | tail -n 1)
  if [ "$status" -eq 0 ]; then
    passed=$((passed + 1))
    echo "run $i/$runs: passed in ${seconds} s (${summary:-no summary})"
    rm -f "$log"
  else
    failed=$((failed + 1))
    echo "run $i/$runs: FAILED in ${seconds} s (${summary:-ctest exit $status})"
    sed -n '/The following tests FAILED/,$p' "$log" | sed 's/^/    /'
  fi
  i=$((i + 1))
done

echo "repeat-suite: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
