#!/bin/sh
# Starts Wine's 64-bit loader with address-space randomisation off for its process (and the Windows
# processes it starts, which inherit that). Debian's Wine has no preloader to reserve the address
# of Wine's shared user data; with a randomised heap start the heap sometimes covers it and the
# loader exits 1 before the program runs (about one start in 8,000). Without randomisation the
# heap starts right after the loader, far from that address, every time.
#   tools/wine.sh program.exe [arguments...]      (also: tools/wine.sh wineboot -u, reg add ...)
#
# A test that shows windows says so with KVL_NEEDS_DESKTOP=1. In a session of several desktops
# (tools/wine-session.sh) it runs on the desktop ctest gave it (CTEST_RESOURCE_GROUP_0_DESKTOP);
# when ctest gave none (run without the session's resource file) such tests take the first
# desktop one at a time.
if [ "${KVL_NEEDS_DESKTOP:-}" = 1 ] && [ -n "${KVL_WINE_SESSIONS:-}" ]; then
  case ${CTEST_RESOURCE_GROUP_0_DESKTOP:-} in
    id:*)
      desktop=${CTEST_RESOURCE_GROUP_0_DESKTOP#id:}
      . "$KVL_WINE_SESSIONS/${desktop%%,*}.env"
      ;;
    *)
      exec flock -o "$KVL_WINE_SESSIONS/d0.lock" setarch "$(uname -m)" -R /usr/lib/wine/wine64 "$@"
      ;;
  esac
fi
exec setarch "$(uname -m)" -R /usr/lib/wine/wine64 "$@"
