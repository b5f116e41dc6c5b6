#!/usr/bin/env bash
# Covers: the real velmora.exe at a display scale above 100%, as a user meets it on
# a high-resolution screen, driven by the X pointer and keyboard (xdotool) in a Wine
# session whose display is at that scale; controls are found where the program put
# them (velmora-probe lists each window's controls with their screen rectangles):
#  - the main window is its stored 298 x 196 times the scale (within 4 pixels);
#  - "播放" gives the typed 15 Hz, 1 ms tone about every 100 ms; the second press
#    stops it;
#  - "设置" opens the test window (the main window is disabled meanwhile);
#    "连续播放" sweeps 1, 2, 3, ... every 10 ms until "停止播放";
#  - Escape closes the test window and gives the main window back; a second Escape
#    ends the program with 0.
# Needs DISPLAY. Usage: scale_end_to_end.sh VELMORA_EXE PROBE_EXE DPI
# VELMORA_WINE names the build's Wine runner (its name ends in wine64-exec for the
# 64-bit build); the session runs in the prefix of the scale and ends with the test.
set -u
exe=$1
probe=$2
dpi=$3
case ${VELMORA_WINE:-} in *wine64-exec) wine64=1 ;; *) wine64=0 ;; esac
export VELMORA_LOGPIXELS=$dpi
# shellcheck source=tools/lib/common.sh
source "$(dirname "$0")/../../tools/lib/common.sh" || exit 1
[ "$wine64" -eq 1 ] && use_wine64
# The session of the scale's prefix, for every Wine command below.
export VELMORA_WINE
start_wine || exit 1
# shellcheck source=tests/tools/relay_log.sh
source "$(dirname "$0")/relay_log.sh"
trap 'wine reg delete "$relay_key" /v RelayInclude /f >/dev/null 2>&1; rm -f "$log" "$listing"; stop_wine' EXIT
listing=$(mktemp)
fail() { echo "FAILED at $dpi dpi: $*"; cat "$listing"; exit 1; }
tones() { grep -o 'Call KERNEL32.Beep([0-9a-f]*,[0-9a-f]*)' "$log" | sed 's/.*Beep(//; s/)//'; }
count() { tones | wc -l; }

log=$(mktemp)
wine reg add "$relay_key" /v RelayInclude /d "kernel32.Beep;shell32.ShellExecuteA" /f >/dev/null 2>&1
WINEDEBUG=+timestamp,+relay WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winebrowser.exe=" wine "$exe" >"$log" 2>&1 &
program=$!

# Lists the window titled $1 and its controls into $listing (once shown and painted).
list_window() { wine "$probe" shown "$1" 2>/dev/null | tr -d '\r' >"$listing" || fail "no window \"$1\""; }
# Clicks the middle of the control whose text is $1 in $listing.
press() {
  local x y w h
  read -r x y w h < <(grep " \"$1\" " "$listing" | grep '^  ' | head -1 | awk '{print $(NF-3), $(NF-2), $(NF-1), $NF}')
  [ -n "${h:-}" ] || fail "no control \"$1\""
  click $((x + w / 2)) $((y + h / 2))
}

list_window "Velmora"
read -r w h < <(head -1 "$listing" | awk '{print $(NF-1), $NF}')
want_w=$(((298 * dpi + 48) / 96)); want_h=$(((196 * dpi + 48) / 96))
[ $((w - want_w)) -le 4 ] && [ $((want_w - w)) -le 4 ] && [ $((h - want_h)) -le 4 ] &&
  [ $((want_h - h)) -le 4 ] || fail "the main window is ${w}x$h, not ${want_w}x$want_h"
sleep 1

press "播放"
sleep 2
press "播放"
sleep 0.5
n=$(count)
sleep 0.5
[ "$(count)" -eq "$n" ] || fail "tones after the second press"
[ "$n" -ge 12 ] && [ "$n" -le 25 ] || fail "$n tones in 2 s at 100 ms"
[ "$(tones | sort -u)" = "0000000f,00000001" ] || fail "a tone other than 15 Hz, 1 ms"

press "设置"
list_window "频率调试"
wine "$probe" enabled Velmora >/dev/null
[ $? -eq 1 ] || fail "the main window is not disabled under the test window"
from=$(count)
press "连续播放"
sleep 1
press "停止播放"
sleep 0.5
swept=$(tones | tail -n +$((from + 1)) | cut -d, -f1)
n=$(wc -l <<<"$swept")
[ "$n" -ge 20 ] || fail "only $n sweep tones in 1 s"
[ "$(head -3 <<<"$swept" | tr '\n' ' ')" = "00000001 00000002 00000003 " ] ||
  fail "the sweep does not start at 1, 2, 3: $(head -3 <<<"$swept" | tr '\n' ' ')"
sleep 0.3
[ "$(count)" -eq $((from + n)) ] || fail "tones after \"停止播放\""

xdotool key Escape
sleep 0.5
wine "$probe" enabled Velmora >/dev/null || fail "the main window is not enabled again"
xdotool key Escape
wait_for_end
[ "$code" -eq 0 ] || fail "exit code $code"
echo "at $dpi dpi: main window ${w}x$h; played, stopped, opened the test window and swept ($n tones in 1 s)"
