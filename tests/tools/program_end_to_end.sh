#!/usr/bin/env bash
# Covers: the real velmora.exe as a user meets it, driven by the X pointer and
# keyboard (xdotool), its tone requests and shell calls observed from outside the
# program through Wine's relay log: the forum is opened once at start; "播放" gives
# a 1 ms tone of the typed 15 Hz about every 100 ms; the second press stops the
# tones; the link opens the forum again; Escape ends the process with 0.
# Needs DISPLAY and the Wine prefix of tools/test. Usage: program_end_to_end.sh EXE
set -u
exe=$1
source "$(dirname "$0")/relay_log.sh"
fail() { echo "FAILED: $*"; grep -E "Call (KERNEL32.Beep|shell32.ShellExecuteA)" "$log" | head -20; exit 1; }

start_with_relay_log "$exe" "kernel32.Beep;shell32.ShellExecuteA"
# The window is centred: 298 x 196 on the screen.
screen_size
left=$(((sw - 298) / 2)); top=$(((sh - 196) / 2))
# Client area: below the caption, inside the frame (measured on this prefix).
cx=$((left + 3)); cy=$((top + 22))
play_x=$((cx + 129 + 39)); play_y=$((cy + 105 + 13))
link_x=$((cx + 136 + 76)); link_y=$((cy + 136 + 16))
for _ in $(seq 1 100); do grep -q "ShellExecuteA" "$log" && break; sleep 0.1; done
sleep 1
calls() { grep -c "Call KERNEL32.Beep" "$log"; }
[ "$(calls)" -eq 0 ] || fail "a tone before play"
xdotool mousemove "$play_x" "$play_y" click 1
sleep 2
xdotool mousemove "$play_x" "$play_y" click 1
sleep 0.5
n=$(calls)
sleep 0.5
[ "$(calls)" -eq "$n" ] || fail "tones after the second press"
[ "$n" -ge 15 ] && [ "$n" -le 25 ] || fail "$n tones in 2 s at 100 ms"
grep "Call KERNEL32.Beep" "$log" | grep -vq "Beep(0000000f,00000001)" && fail "a tone other than 15 Hz, 1 ms"
# Tick to tick, the median interval.
median=$(grep "Call KERNEL32.Beep" "$log" | cut -d: -f1 | awk 'NR>1{print int(($1-p)*1000+0.5)}{p=$1}' | sort -n |
  awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}')
[ "$median" -ge 90 ] && [ "$median" -le 110 ] || fail "median interval $median ms"
[ "$(grep -c "Call shell32.ShellExecuteA" "$log")" -eq 1 ] || fail "the forum not opened exactly once at start"
xdotool mousemove "$link_x" "$link_y" click 1
sleep 0.5
[ "$(grep -c 'Call shell32.ShellExecuteA.*"open".*"http://bbs.velmora.cn/"' "$log")" -eq 2 ] ||
  fail "the link did not open the forum"
xdotool key Escape
wait_for_end
[ "$code" -eq 0 ] || fail "exit code $code"
echo "tones: $n in 2 s, median interval $median ms"
