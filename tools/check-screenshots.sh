#!/bin/sh
# Checks the screenshots of tools/run.sh: each one is there and is a picture of something (not
# an empty or one-colour screen), and no two are the same. The first shows the program as it
# starts, the others the program worked through tools/kvldrive.c: a program that did not start
# (a message box in its place) or did not answer leaves the same picture each time.
#   tools/check-screenshots.sh shot.png...
set -eu
IDENTIFY=/usr/bin/identify
COMPARE=/usr/bin/compare
status=0
fail() { echo "check-screenshots: $*" >&2; status=1; }

for shot in "$@"; do
  if [ ! -s "$shot" ]; then fail "$shot was not made"; continue; fi
  if ! info=$("$IDENTIFY" -format '%m %w %h %k' "$shot" 2>/dev/null); then fail "$shot is no picture"; continue; fi
  read -r format width height colours <<INFO
$info
INFO
  if [ "$format" != PNG ] || [ "$width" -lt 200 ] || [ "$height" -lt 200 ]; then
    fail "$shot: $format $width x $height is no screenshot"
  elif [ "$colours" -lt 16 ]; then
    fail "$shot has only $colours colours"
  else
    echo "check-screenshots: $shot: $width x $height, $colours colours"
  fi
done

for a in "$@"; do
  for b in "$@"; do
    [ "$a" \< "$b" ] || continue
    [ -s "$a" ] && [ -s "$b" ] || continue
    differing=$("$COMPARE" -metric AE "$a" "$b" null: 2>&1 || true)
    if [ "$differing" = 0 ]; then fail "$a and $b are the same picture"; fi
  done
done
exit $status
