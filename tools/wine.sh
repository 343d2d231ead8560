#!/bin/sh
# Starts Wine's 64-bit loader with address-space randomisation off for its process (and the Windows
# processes it starts, which inherit that). Debian's Wine has no preloader to reserve the address
# of Wine's shared user data; with a randomised heap start the heap sometimes covers it and the
# loader exits 1 before the program runs (about one start in 8,000). Without randomisation the
# heap starts right after the loader, far from that address, every time.
#   tools/wine.sh program.exe [arguments...]      (also: tools/wine.sh wineboot -u, reg add ...)
exec setarch "$(uname -m)" -R /usr/lib/wine/wine64 "$@"
