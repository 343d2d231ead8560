#!/bin/sh
# Sourced by the run and test scripts: starts Xvfb, the Wine server and a keep-alive program for a
# build directory, and stops exactly what it started.
#
#   root=REPOSITORY; . "$root/tools/wine-session.sh"
#   wine_session_start BUILD_DIR [DESKTOPS]
#                                    # exports DISPLAY, WINEPREFIX, WINEDEBUG, LANG, KVL_WINE
#                                    # (screen size KVL_XVFB_SIZE, default 1280x1024; locale
#                                    # KVL_LOCALE, default C.UTF-8)
#   ...                              # run Windows programs with "$KVL_WINE" prog.exe
#   wine_session_desktops            # prints the number of desktops a test session starts
#   wine_session_stop
# Every Wine process goes through tools/wine.sh (no address-space randomisation: see there).
# WINEDEBUG keeps Wine's own errors on, so a start-up failure of the loader names itself.
#
# DESKTOPS (default 1) desktops are started side by side, each a display, a Wine prefix and a Wine
# server of its own, so that tests which show windows run in parallel without sharing focus,
# activation, the cursor or the clipboard. The first is the session's own (DISPLAY, WINEPREFIX);
# the others use copies of its prefix (BUILD_DIR/wineprefix-dN, made once). The session publishes
# them for ctest as a resource file (KVL_CTEST_RESOURCES: pass it as --resource-spec-file): a test
# that asks for one "desktop" gets CTEST_RESOURCE_GROUP_0_DESKTOP=id:dN,..., and tools/wine.sh
# then runs it on desktop dN (KVL_WINE_SESSIONS/dN.env).

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

# _ws_start_display NAME: starts an Xvfb (-displayfd picks a free display) and sets _ws_display to
# ":N" and _ws_xvfb_pid to its process.
_ws_start_display() {
  fifo="$build_dir/.xvfb-display-$1"
  rm -f "$fifo"
  Xvfb -displayfd 3 -screen 0 "${KVL_XVFB_SIZE:-1280x1024}x24" -nolisten tcp 3>"$fifo" >"$build_dir/xvfb-$1.log" 2>&1 &
  _ws_xvfb_pid=$!
  KVL_XVFB_PIDS="$KVL_XVFB_PIDS $_ws_xvfb_pid"
  i=0
  while [ ! -s "$fifo" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
  if [ ! -s "$fifo" ]; then _ws_log "Xvfb did not start"; return 1; fi
  _ws_display=":$(head -n1 "$fifo")"
}

# _ws_start_desktop: the server, the settings and the keep-alive of the prefix and display in
# WINEPREFIX and DISPLAY (run in a subshell per desktop, so several start at once).
_ws_start_desktop() {
  # A persistent server saves ~3 s per Wine process; its stdio must not hold ctest's pipes.
  "$KVL_WINESERVER" -p </dev/null >/dev/null 2>&1
  _ws_configure_prefix
}

_ws_start_keepalive() {
  # Keeps Wine's desktop process alive between GUI tests (saves ~1.3 s per test).
  if [ -n "${KVL_KEEPALIVE_EXE:-}" ] && [ -f "$KVL_KEEPALIVE_EXE" ]; then
    "$KVL_WINE" "$KVL_KEEPALIVE_EXE" </dev/null >/dev/null 2>&1 &
    KVL_KEEPALIVE_PIDS="$KVL_KEEPALIVE_PIDS $!"
  fi
}

wine_session_start() {
  build_dir=$(cd "$1" && pwd)
  desktops=${2:-1}
  case $desktops in '' | *[!0-9]* | 0) _ws_log "the number of desktops must be a positive number"; return 1 ;; esac
  export WINEPREFIX="$build_dir/wineprefix"
  export WINEDEBUG=-all,err+all
  # The locale Wine takes for the session (KVL_LOCALE, default C.UTF-8). Wine rewrites its font
  # links when the code page changes, so the links below are applied after Wine has started in it.
  export LANG="${KVL_LOCALE:-C.UTF-8}" LC_ALL="${KVL_LOCALE:-C.UTF-8}"
  export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono/Gecko installer prompts
  export KVL_WINE
  KVL_XVFB_PIDS="" KVL_KEEPALIVE_PIDS="" KVL_SESSION_PREFIXES=""

  if [ ! -f "$WINEPREFIX/.kvl-ready" ]; then
    _ws_log "creating Wine prefix $WINEPREFIX (once per build directory)"
    rm -rf "$WINEPREFIX"
    "$KVL_WINE" wineboot -u >/dev/null 2>&1 || true
    "$KVL_WINESERVER" -w
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -f /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    touch "$WINEPREFIX/.kvl-ready"
  fi
  # The other desktops' prefixes: copies of the first, made while no server uses it.
  n=1
  while [ $n -lt "$desktops" ]; do
    copy="$build_dir/wineprefix-d$n"
    if [ ! -f "$copy/.kvl-ready" ]; then
      rm -rf "$copy"
      cp -a "$WINEPREFIX" "$copy"
    fi
    n=$((n + 1))
  done

  sessions="$build_dir/wine-sessions"
  rm -rf "$sessions"
  mkdir -p "$sessions"
  export KVL_WINE_SESSIONS="$sessions"
  resources=""
  first_prefix=$WINEPREFIX
  setup_pids=""
  n=0
  while [ $n -lt "$desktops" ]; do
    if [ $n -eq 0 ]; then prefix=$first_prefix; else prefix="$build_dir/wineprefix-d$n"; fi
    _ws_start_display "d$n" || return 1
    printf 'DISPLAY=%s\nWINEPREFIX=%s\nexport DISPLAY WINEPREFIX\n' "$_ws_display" "$prefix" >"$sessions/d$n.env"
    KVL_SESSION_PREFIXES="$KVL_SESSION_PREFIXES $prefix"
    (. "$sessions/d$n.env"; _ws_start_desktop) &
    setup_pids="$setup_pids $!"
    resources="$resources${resources:+,}{\"id\":\"d$n\",\"slots\":1}"
    n=$((n + 1))
  done
  for pid in $setup_pids; do wait "$pid" || true; done
  n=$((desktops - 1))
  while [ $n -ge 0 ]; do
    . "$sessions/d$n.env"   # the first desktop's comes last and stays the session's own
    _ws_start_keepalive
    n=$((n - 1))
  done
  printf '{"version":{"major":1,"minor":0},"local":[{"desktop":[%s]}]}\n' "$resources" >"$sessions/resources.json"
  export KVL_CTEST_RESOURCES="$sessions/resources.json"
}

# How many desktops a test session starts: KVL_DESKTOPS, or else one per two cores (each desktop's
# test keeps Xvfb, Wine's server and the test itself busy), at least 1 and at most 6.
wine_session_desktops() {
  if [ -n "${KVL_DESKTOPS:-}" ]; then echo "$KVL_DESKTOPS"; return; fi
  d=$(( $(nproc) / 2 ))
  if [ "$d" -lt 1 ]; then d=1; fi
  if [ "$d" -gt 6 ]; then d=6; fi
  echo "$d"
}

wine_session_stop() {
  for pid in ${KVL_KEEPALIVE_PIDS:-}; do kill "$pid" 2>/dev/null || true; done
  for prefix in ${KVL_SESSION_PREFIXES:-}; do WINEPREFIX=$prefix "$KVL_WINESERVER" -k 2>/dev/null || true; done
  for pid in ${KVL_XVFB_PIDS:-}; do
    # Every window test fails ("no driver could be loaded") once the display is gone: say so.
    if ! kill -0 "$pid" 2>/dev/null; then _ws_log "an Xvfb of the session ended during it; the logs: $build_dir/xvfb-*.log"; fi
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  KVL_KEEPALIVE_PIDS="" KVL_XVFB_PIDS="" KVL_SESSION_PREFIXES=""
}
