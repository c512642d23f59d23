#!/usr/bin/env bash
# The demo with no display, on the build under test: it records one whole break and leaves no
# process behind; its animation shows, in order, the desktop, a green notice, the red lock text,
# the green key-wait text (wider than the first notice's) and the desktop again.
set -uo pipefail
here=$(dirname "$0")
source "$here/../lib.sh"

out=$E2E_ARTIFACTS/demo
prefix=$E2E_BUILD_DIR/demo-wineprefix  # kept between runs: only the first one makes it
rm -rf "$out"
start=$SECONDS
check "the demo runs to its end on a display of its own" env -u DISPLAY \
  PAUSARIUM_DEMO_BUILD="$E2E_BUILD_DIR" PAUSARIUM_DEMO_PREFIX="$prefix" PAUSARIUM_DEMO_OUT="$out" \
  "$here/../../../scripts/demo.sh"
echo "the demo took $((SECONDS - start)) s"
# Everything the demo started carries the variables it was given.
none_left() { ! grep -qlzx "PAUSARIUM_DEMO_PREFIX=$prefix" /proc/[0-9]*/environ 2>/dev/null; }
check "no process of the demo is left (Xvfb, openbox, Wine)" wait_for 5 none_left
for phase in work notice last-notice lock key-wait work-again; do
  check "a picture of the phase $phase" compgen -G "$out/cycle-*-$phase.png"
done

# Each frame of the animation as one letter: D desktop, G green text, R red text, K black.
gif=$out/cycle.gif
check "the animation is there" test -s "$gif"
convert "$gif" -coalesce "$out/frame-%02d.png"
# amount FILE FX: the pixels where the condition holds; width FILE FX: the width they span
amount() { convert "$1" -fx "$2" -format '%[fx:int(mean*w*h+0.5)]' info:; }
width() { convert "$1" -fx "$2" -trim -format '%w' info:; }
green='g > 0.6 && r < 0.3 && b < 0.3'
red='r > 0.6 && g < 0.3 && b < 0.3'
desktop='r < 0.1 && abs(g - 0.5) < 0.05 && abs(b - 0.5) < 0.05'
letters=''
for frame in "$out"/frame-*.png; do
  if [ "$(amount "$frame" "$desktop")" -gt 10000 ]; then letters+=D
  elif [ "$(amount "$frame" "$green")" -gt 20 ]; then letters+=G
  elif [ "$(amount "$frame" "$red")" -gt 20 ]; then letters+=R
  else letters+=K; fi
done
echo "frames: $letters"
check "desktop, green notices, red last notice and lock, green key wait, desktop" \
  grep -qE '^D+G+R{2,}K*G+D+$' <<<"$letters"
frames=("$out"/frame-*.png)
first_green=${letters%%G*}; first_green=${#first_green}
last_green=${letters%G*}; last_green=${#last_green}
notice=$(width "${frames[first_green]}" "$green"); key_wait=$(width "${frames[last_green]}" "$green")
echo "green text widths: notice $notice, key wait $key_wait"
check "the last green text is the key wait's, wider than the first notice" [ "$key_wait" -gt "$notice" ]
first_red=${letters%%R*}; first_red=${#first_red}
last_red=${letters%R*}; last_red=${#last_red}
last_notice=$(width "${frames[first_red]}" "$red"); lock=$(width "${frames[last_red]}" "$red")
echo "red text widths: last notice $last_notice, lock $lock"
check "the last red text is the lock's, narrower than the last notice" [ "$lock" -lt "$last_notice" ]
finish
