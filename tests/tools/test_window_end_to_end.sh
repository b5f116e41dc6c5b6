#!/usr/bin/env bash
# Covers: the frequency test window of the real velmora.exe as a user meets it,
# driven by the X pointer and keyboard (xdotool), its tones observed from outside
# through Wine's relay log and its balloon through the screen's pixels:
#  - "设置" opens it; resting on the frequency box shows the balloon after about
#    600 ms above and to the right of the pointer, for about 3 s; the duration
#    box's balloon has two lines; a key hides it at once;
#  - "播放" plays 440 Hz / 500 ms as typed, -1 reaches Beep as 0xFFFFFFFF, empty
#    boxes play 0 / 0;
#  - "连续播放" plays 1, 2, 3, ... every 10 ms until "停止播放";
#  - Escape closes the window and gives the main window back; opened again, the
#    sweep continues where it stopped; Escape twice ends the program with 0.
# Prints the sweep's pace and the balloon's timing.
# Needs DISPLAY and the Wine prefix of tools/test. Usage: test_window_end_to_end.sh EXE
set -u
exe=$1
# shellcheck source=tests/tools/relay_log.sh
source "$(dirname "$0")/relay_log.sh"
fail() { echo "FAILED: $*"; grep -E "Call KERNEL32.Beep" "$log" | tail -5; exit 1; }
tones() { grep -o 'Call KERNEL32.Beep([0-9a-f]*,[0-9a-f]*)' "$log" | sed 's/.*Beep(//; s/)//'; }
count() { tones | wc -l; }

start_with_relay_log "$exe" "kernel32.Beep;shell32.ShellExecuteA"
screen_size
# Both windows are centred; their client areas lie below the caption, inside the
# frame (measured on this prefix: 3 and 22 pixels).
mx=$(((sw - 298) / 2 + 3)); my=$(((sh - 196) / 2 + 22))
tx=$(((sw - 380) / 2 + 3)); ty=$(((sh - 177) / 2 + 22))
settings="$((mx + 249)) $((my + 119))"
freq_x=$((tx + 221)); freq_y=$((ty + 36))
dur_x=$((tx + 221)); dur_y=$((ty + 76))
play="$((tx + 81)) $((ty + 120))"
sweep="$((tx + 202)) $((ty + 117))"
stop="$((tx + 319)) $((ty + 118))"
# The colour of one screen pixel, as rrggbb.
pixel() { /usr/bin/import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}' | head -1; }
tip='#FFFFE1'
now_ms() { date +%s%3N; }

for _ in $(seq 1 100); do grep -q "ShellExecuteA" "$log" && break; sleep 0.1; done
sleep 1
click $settings
sleep 1

# The balloon of the frequency box: the body's bottom margin lies 16-28 pixels
# above the pointer; a second line would reach 66 pixels above it.
xdotool mousemove $((freq_x - 60)) $((ty + 150))
sleep 0.3
xdotool mousemove "$freq_x" "$freq_y"
moved=$(now_ms)
appeared=""
gone=""
while [ $(($(now_ms) - moved)) -lt 5000 ]; do
  c=$(pixel $((freq_x + 40)) $((freq_y - 20)))
  t=$(($(now_ms) - moved))
  if [ -z "$appeared" ] && [ "$c" = "$tip" ]; then appeared=$t; fi
  if [ -n "$appeared" ] && [ "$c" != "$tip" ]; then gone=$t; break; fi
done
[ -n "$appeared" ] || fail "no balloon over the frequency box"
[ -n "$gone" ] || fail "the balloon did not hide"
[ "$appeared" -ge 500 ] && [ "$appeared" -le 1000 ] || fail "the balloon showed after $appeared ms"
shown=$((gone - appeared))
[ "$shown" -ge 2700 ] && [ "$shown" -le 3600 ] || fail "the balloon showed for $shown ms"
# One line: nothing of it 66 pixels up. (Shown again after a move and a rest.)
xdotool mousemove $((freq_x + 5)) "$freq_y"
sleep 1
[ "$(pixel $((freq_x + 40)) $((freq_y - 20)))" = "$tip" ] || fail "no balloon after a move and a rest"
[ "$(pixel $((freq_x + 40)) $((freq_y - 66)))" != "$tip" ] || fail "the frequency tip is not one line"
xdotool key shift
sleep 0.2
[ "$(pixel $((freq_x + 40)) $((freq_y - 20)))" != "$tip" ] || fail "a key left the balloon"
xdotool mousemove $((dur_x - 40)) "$dur_y"
sleep 0.2
xdotool mousemove "$dur_x" "$dur_y"
sleep 1
[ "$(pixel $((dur_x + 40)) $((dur_y - 66)))" = "$tip" ] || fail "the duration tip is not two lines"

# Single tones.
typein $freq_x $freq_y 440
typein $dur_x $dur_y 500
click $play
typein $dur_x $dur_y -1
click $play
typein $freq_x $freq_y ""
typein $dur_x $dur_y ""
click $play
sleep 0.3
[ "$(tones | tr '\n' ' ')" = "000001b8,000001f4 000001b8,ffffffff 00000000,00000000 " ] ||
  fail "single tones: $(tones | tr '\n' ' ')"

# The sweep: 1, 2, 3, ... every 10 ms with the typed duration.
typein $dur_x $dur_y 1
click $sweep
sleep 1
click $stop
sleep 0.3
n=$(count)
sleep 0.5
[ "$(count)" -eq "$n" ] || fail "tones after stop"
swept=$((n - 3))
expected=$(seq 1 "$swept" | awk '{printf "%08x,00000001\n", $1}')
[ "$(tones | tail -n "$swept")" = "$expected" ] || fail "the sweep is not 1, 2, 3, ..."
[ "$swept" -ge 30 ] || fail "only $swept tones in a second"
pace=$(beep_pace_after 3)
awk -v p="$pace" 'BEGIN{exit !(p >= 8 && p <= 13)}' || fail "median pace $pace ms"

# Escape closes the window; the main window takes input again; the sweep goes on.
xdotool key Escape
sleep 0.5
click $settings
sleep 1
click $sweep
sleep 0.3
click $stop
sleep 0.3
next=$(tones | sed -n "$((n + 1))p")
[ "$next" = "$(printf '%08x,00000000' $((swept + 1)))" ] || fail "the sweep went on with $next"
xdotool key Escape
sleep 0.5
xdotool key Escape
wait_for_end
[ "$code" -eq 0 ] || fail "exit code $code"
echo "sweep: $swept tones in 1 s, median pace $pace ms; balloon after $appeared ms, for $shown ms"
