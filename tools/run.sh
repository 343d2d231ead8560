#!/bin/sh
# Builds the program and starts KVL2.exe under Wine.
#   With an X display (DISPLAY set) the program opens on it and the script waits until it is closed.
#   Without one it runs on a private, bare Xvfb (no window manager, no Wine virtual desktop, so every
#   frame and title bar in the pictures is the program's own): once the main window has settled a
#   screenshot is saved, then one of the holiday page, one of the About window, one of the message
#   box a year typed as "abc" brings, one of the first duty day's open calendar and one of the month
#   page of February 2026 after 2026/02/01 was picked as the first duty day (each with the program
#   started afresh and worked through tools/kvldrive.c); the paths are printed.
# The program runs in the zh_CN locale, as its users' Windows does: dates read 2026/12/11, the
# calendar and the system's boxes speak Chinese. The Wine session applies the font links after
# Wine has started in that locale, so the prefix stays consistent whichever locale ran it before.
# The program is the optimised, stripped Release build (the tests keep their Debug build). Its
# build directory (and Wine prefix) is KVL_RELEASE_DIR, default build/release, as for tools/bench.sh.
set -eu
export KVL_LOCALE=zh_CN.UTF-8
root=$(cd "$(dirname "$0")/.." && pwd)
build="${KVL_RELEASE_DIR:-$root/build/release}"

"$root/tools/setup.sh"
. "$root/tools/release-config.sh"
kvl_release_build "$build" --target KVL2 kvldrive
program="$build/bin/KVL2.exe"

if [ -n "${DISPLAY:-}" ]; then
  # The session prepares the prefix (fonts, font links, crash settings) in a private Xvfb; the
  # program itself then runs on the user's display with the same prefix.
  (
    . "$root/tools/wine-session.sh"
    wine_session_start "$build"
    wine_session_stop
  )
  export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all,err+all LANG="$KVL_LOCALE" LC_ALL="$KVL_LOCALE"
  export WINEDLLOVERRIDES="mscoree,mshtml="
  exec "$root/tools/wine.sh" "$program"
fi

shots="$build/screenshots"
mkdir -p "$shots"
winprogram="Z:$(printf '%s' "$program" | tr '/' '\\')"
export KVL_BUILD_DIR="$build"
"$root/tools/screenshot.sh" -o "$shots/KVL2-main.png" "$program"
"$root/tools/screenshot.sh" -o "$shots/KVL2-holiday.png" "$build/bin/kvldrive.exe" "$winprogram" holiday
"$root/tools/screenshot.sh" -o "$shots/KVL2-about.png" "$build/bin/kvldrive.exe" "$winprogram" about
# The message box the program answers a year typed as "abc" with, over the main window.
"$root/tools/screenshot.sh" -o "$shots/KVL2-abc.png" "$build/bin/kvldrive.exe" "$winprogram" abc
"$root/tools/screenshot.sh" -o "$shots/KVL2-calendar.png" "$build/bin/kvldrive.exe" "$winprogram" calendar
# Day 1 of a month that begins on a Sunday, red as a duty day, picked in the drop-down calendar.
"$root/tools/screenshot.sh" -o "$shots/KVL2-february.png" "$build/bin/kvldrive.exe" "$winprogram" february
