#!/bin/sh
# Sourced by the run and test scripts: starts one Xvfb, the Wine server and a keep-alive
# program for a build directory, and stops exactly what it started.
#
#   root=REPOSITORY; . "$root/tools/wine-session.sh"
#   wine_session_start BUILD_DIR     # exports DISPLAY, WINEPREFIX, WINEDEBUG, LANG, KVL_WINE
#                                    # (screen size KVL_XVFB_SIZE, default 1280x1024; locale
#                                    # KVL_LOCALE, default C.UTF-8)
#   ...                              # run Windows programs with "$KVL_WINE" prog.exe
#   wine_session_stop
# Every Wine process goes through tools/wine.sh (no address-space randomisation: see there).
# WINEDEBUG keeps Wine's own errors on, so a start-up failure of the loader names itself.

KVL_WINE="${root:?wine-session.sh: set root to the repository first}/tools/wine.sh"
KVL_WINESERVER=/usr/lib/wine/wineserver64

_ws_log() { echo "wine-session: $*" >&2; }

# Registry settings applied at every start: Wine rewrites font links when its code page changes.
_ws_configure_prefix() {
  # Its output goes to a file, not a pipe: Wine's services started with it inherit its stdio.
  reg() {
    if ! "$KVL_WINE" reg add "$@" /f </dev/null >"$WINEPREFIX/.kvl-reg.log" 2>&1; then
      _ws_log "reg add $1 $3 failed: $(cat "$WINEPREFIX/.kvl-reg.log")"
    fi
  }
  # A crash must end the process at once with a failure, never wait for a click or exit 0.
  reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
  reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /t REG_SZ /d 'C:\no-debugger.exe'
  reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /t REG_SZ /d 1
  # Xvfb has no window manager: without this Wine waits ~2 s for one whenever a window hides.
  reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
  link='wqy-microhei.ttc,WenQuanYi Micro Hei'
  for face in "Tahoma" "Tahoma Bold" "System" "Microsoft Sans Serif" "MS Sans Serif" "DejaVu Sans"; do
    reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" /t REG_MULTI_SZ /d "$link"
  done
  for face in SimSun NSimSun SimHei "Microsoft YaHei"; do
    reg 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d "WenQuanYi Micro Hei"
  done
}

wine_session_start() {
  build_dir=$(cd "$1" && pwd)
  export WINEPREFIX="$build_dir/wineprefix"
  export WINEDEBUG=-all,err+all
  # The locale Wine takes for the session (KVL_LOCALE, default C.UTF-8). Wine rewrites its font
  # links when the code page changes, so the links below are applied after Wine has started in it.
  export LANG="${KVL_LOCALE:-C.UTF-8}" LC_ALL="${KVL_LOCALE:-C.UTF-8}"
  export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono/Gecko installer prompts
  export KVL_WINE

  # One X display for the whole session; -displayfd picks a free one.
  fifo="$build_dir/.xvfb-display"
  rm -f "$fifo"
  Xvfb -displayfd 3 -screen 0 "${KVL_XVFB_SIZE:-1280x1024}x24" -nolisten tcp 3>"$fifo" >"$build_dir/xvfb.log" 2>&1 &
  KVL_XVFB_PID=$!
  i=0
  while [ ! -s "$fifo" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
  if [ ! -s "$fifo" ]; then _ws_log "Xvfb did not start"; return 1; fi
  export DISPLAY=":$(head -n1 "$fifo")"

  if [ ! -f "$WINEPREFIX/.kvl-ready" ]; then
    _ws_log "creating Wine prefix $WINEPREFIX (once per build directory)"
    rm -rf "$WINEPREFIX"
    "$KVL_WINE" wineboot -u >/dev/null 2>&1 || true
    "$KVL_WINESERVER" -w
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -f /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    touch "$WINEPREFIX/.kvl-ready"
  fi

  # A persistent server saves ~3 s per Wine process; its stdio must not hold ctest's pipes.
  "$KVL_WINESERVER" -p </dev/null >/dev/null 2>&1
  _ws_configure_prefix

  # Keeps Wine's desktop process alive between GUI tests (saves ~1.3 s per test).
  KVL_KEEPALIVE_PID=""
  if [ -n "${KVL_KEEPALIVE_EXE:-}" ] && [ -f "$KVL_KEEPALIVE_EXE" ]; then
    "$KVL_WINE" "$KVL_KEEPALIVE_EXE" </dev/null >/dev/null 2>&1 &
    KVL_KEEPALIVE_PID=$!
  fi
}

wine_session_stop() {
  if [ -n "${KVL_KEEPALIVE_PID:-}" ]; then kill "$KVL_KEEPALIVE_PID" 2>/dev/null || true; fi
  if [ -n "${WINEPREFIX:-}" ]; then "$KVL_WINESERVER" -k 2>/dev/null || true; fi
  if [ -n "${KVL_XVFB_PID:-}" ]; then
    # Every window test fails ("no driver could be loaded") once the display is gone: say so.
    if ! kill -0 "$KVL_XVFB_PID" 2>/dev/null; then _ws_log "Xvfb ($DISPLAY) ended during the session; its log: $build_dir/xvfb.log"; fi
    kill "$KVL_XVFB_PID" 2>/dev/null || true
    wait "$KVL_XVFB_PID" 2>/dev/null || true
  fi
  KVL_KEEPALIVE_PID="" KVL_XVFB_PID=""
}
