#!/usr/bin/env bash
# Covers: the README's first command as a newcomer meets it without a display.
# `tools/run` and `tools/run --gallery` start their program under Wine on a virtual
# display and print the path of a screenshot; the screenshot shows the program's
# window whole, with its title bar, and the window query saved beside it lists the
# window's title and its controls ("播放" for the program).
# Needs the windows preset built (tools/run builds what is missing).
# Usage: run_test.sh ROOT
set -uo pipefail
root=$1
failures=0
fail() { echo "FAILED (tools/run $mode): $*"; failures=$((failures + 1)); }

check() {  # mode, title, a control's text
  mode=$1
  local out shot listing x y w h
  # shellcheck disable=SC2086  # the mode is one word or none
  out=$(env -u DISPLAY "$root/tools/run" $mode 2>&1)
  echo "$out" | sed 's/^/    /'
  shot=$(sed -n 's/^screenshot of the running program: //p' <<<"$out")
  listing=${shot%.png}.txt
  if [ -z "$shot" ] || [ ! -s "$shot" ] || [ ! -s "$listing" ]; then
    fail "no screenshot and window listing printed"
    return
  fi
  head -n 1 "$listing" | grep -q "^[^ ].* \"$2\" " || fail "the first window is not \"$2\": $(head -n 1 "$listing")"
  grep -q "^  .* \"$3\" " "$listing" || fail "no control \"$3\" in the window: $(cat "$listing")"
  read -r x y w h < <(head -n 1 "$listing" | awk '{print $(NF-3), $(NF-2), $(NF-1), $NF}')
  local size
  size=$(/usr/bin/identify -format '%w %h' "$shot")
  if [ "$x" -lt 0 ] || [ "$y" -lt 0 ] || [ $((x + w)) -gt "${size% *}" ] || [ $((y + h)) -gt "${size#* }" ]; then
    fail "the window ($x,$y ${w}x$h) is not whole on the ${size/ /x} screen"
    return
  fi
  # The title bar: a strip below the top frame, drawn in the active caption's
  # gradient with the title's glyphs on it, so of many colours; the desktop around
  # the window is of one.
  local bar desktop
  bar=$(/usr/bin/convert "$shot" -crop "$((w - 8))x14+$((x + 4))+$((y + 5))" +repage -format %k info:)
  desktop=$(/usr/bin/convert "$shot" -crop "40x40+$((x > 40 ? x - 40 : x + w))+$y" +repage -format %k info:)
  [ "$bar" -ge 20 ] || fail "no title bar in the screenshot (only $bar colours where it should be)"
  [ "$desktop" -le 2 ] || fail "the desktop beside the window is not plain ($desktop colours)"
}

check "" "Velmora电子驱蚊器 v1.0" "播放"
check --gallery "Velmora gallery" "Normal"
[ $failures -eq 0 ] && echo "tools/run: both programs shown"
exit $((failures > 0))
