#!/bin/sh
# Runs a Windows program under Wine on a private, bare Xvfb (no window manager, no Wine virtual
# desktop), waits until its windows have been drawn (the screen stops changing), saves the screen
# as a PNG and prints its path. Nothing draws a frame around the windows here: what the picture
# shows of frames, title bars and caption buttons is what the program paints itself.
#
#   tools/screenshot.sh [-o shot.png] [-s 1024x768] [-t timeout] [-d delay] program.exe [arguments...]
#
#   -o   the PNG to write (default: build/screenshots/<program>-<time>.png)
#   -s   size of the screen (default 1024x768)
#   -t   seconds to wait for the window at most (default 30)
#   -d   seconds to wait after the screen settled, for late painting (default 0.5)
# The build directory (and its Wine prefix) is KVL_BUILD_DIR, default build/x86_64.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="${KVL_BUILD_DIR:-$root/build/x86_64}"
out=""
size=1024x768
timeout=30
delay=0.5

while getopts "o:s:t:d:" opt; do
  case $opt in
    o) out=$OPTARG ;;
    s) size=$OPTARG ;;
    t) timeout=$OPTARG ;;
    d) delay=$OPTARG ;;
    *) echo "usage: $0 [-o out.png] [-s WxH] [-t timeout] [-d delay] program.exe [args...]" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
if [ $# -lt 1 ]; then
  echo "usage: $0 [-o out.png] [-s WxH] [-t timeout] [-d delay] program.exe [args...]" >&2
  exit 2
fi
program=$1
shift
[ -f "$program" ] || { echo "screenshot: no such program: $program" >&2; exit 2; }
program=$(cd "$(dirname "$program")" && pwd)/$(basename "$program")
case $size in *x*) ;; *) echo "screenshot: size must be WxH" >&2; exit 2 ;; esac

mkdir -p "$build"
if [ -z "$out" ]; then
  mkdir -p "$build/screenshots"
  out="$build/screenshots/$(basename "$program" .exe)-$(date +%Y%m%d-%H%M%S).png"
fi
case $out in /*) ;; *) out="$(pwd)/$out" ;; esac
mkdir -p "$(dirname "$out")"

IMPORT=/usr/bin/import
COMPARE=/usr/bin/compare
for tool in "$IMPORT" "$COMPARE"; do
  [ -x "$tool" ] || { echo "screenshot: $tool is missing (ImageMagick; tools/setup.sh installs it)" >&2; exit 1; }
done

. "$root/tools/wine-session.sh"
work=$(mktemp -d)
program_pid=""
cleanup() {
  if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; fi
  wine_session_stop
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
KVL_XVFB_SIZE=$size wine_session_start "$build"

"$KVL_WINE" "$program" "$@" </dev/null >"$work/program.log" 2>&1 &
program_pid=$!

# The picture is taken once two grabs a little apart are identical and show more than the empty
# screen.
grab() { "$IMPORT" -window root "$1" 2>/dev/null; }
colours() { /usr/bin/identify -format '%k' "$1" 2>/dev/null || echo 0; }
previous=""
deadline=$(( $(date +%s) + timeout ))
settled=""
i=0
while [ "$(date +%s)" -lt "$deadline" ]; do
  sleep 0.5
  if ! kill -0 "$program_pid" 2>/dev/null; then
    echo "screenshot: the program ended before its window settled:" >&2
    cat "$work/program.log" >&2
    exit 1
  fi
  i=$((i + 1))
  current="$work/grab-$i.png"
  grab "$current" || continue
  if [ -n "$previous" ] && [ "$(colours "$current")" -gt 4 ]; then
    diff=$("$COMPARE" -metric AE "$previous" "$current" null: 2>&1 || true)
    if [ "$diff" = "0" ]; then
      settled=$current
      break
    fi
  fi
  previous=$current
done
if [ -z "$settled" ]; then
  echo "screenshot: the window did not settle within ${timeout}s; saving what is on the screen" >&2
  settled=$previous
fi
sleep "$delay"
grab "$out" || cp "$settled" "$out"
echo "$out"
