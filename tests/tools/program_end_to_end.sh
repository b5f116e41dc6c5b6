#!/usr/bin/env bash
# Covers: the real velmora.exe as a user meets it, driven by the X pointer and
# keyboard (xdotool), its tone requests and shell calls observed from outside the
# program through Wine's relay log:
#  - the forum is opened once at start;
#  - "播放" gives a 1 ms tone of the typed 15 Hz every 100 ms; the second press
#    stops the tones; a frequency typed while it plays is used from the next tick;
#  - the interval is read at the press: 250 paces at 250 ms; "2.9" (pasted: the box
#    takes no point when typed) starts the timer at 2 ms, which Windows runs at its
#    fastest rate; an empty box and -5 leave it silent while the picture animates;
#  - the tone keeps running while the test window is open, and the main window is
#    disabled meanwhile and enabled again after it;
#  - the link opens the forum again; Escape ends the process with 0.
# Prints the paces it measured.
# Needs DISPLAY and the Wine prefix of tools/test.
# Usage: program_end_to_end.sh VELMORA_EXE PROBE_EXE
set -u
exe=$1
probe=$2
# shellcheck source=tests/tools/relay_log.sh
source "$(dirname "$0")/relay_log.sh"
fail() { echo "FAILED: $*"; grep -E "Call (KERNEL32.Beep|shell32.ShellExecuteA)" "$log" | tail -20; exit 1; }

start_with_relay_log "$exe" "kernel32.Beep;shell32.ShellExecuteA"
# The window is centred: 298 x 196 on the screen.
screen_size
left=$(((sw - 298) / 2)); top=$(((sh - 196) / 2))
# Client area: below the caption, inside the frame (measured on this prefix).
cx=$((left + 3)); cy=$((top + 22))
play="$((cx + 168)) $((cy + 118))"
settings="$((cx + 249)) $((cy + 119))"
link="$((cx + 212)) $((cy + 152))"
frequency="$((cx + 214)) $((cy + 28))"
interval="$((cx + 214)) $((cy + 67))"
# Plays for $1 seconds, then stops; sets $from to the number of tones before.
play_for() {
  from=$(beep_count)
  click $play
  sleep "$1"
  click $play
  sleep 0.3
}
# A hash of the picture box's pixels.
picture() { /usr/bin/import -window root -crop "112x145+$cx+$cy" -depth 8 rgb:- 2>/dev/null | md5sum; }
main_enabled() { wine "$probe" enabled Velmora; }

for _ in $(seq 1 100); do grep -q "ShellExecuteA" "$log" && break; sleep 0.1; done
sleep 1
[ "$(beep_count)" -eq 0 ] || fail "a tone before play"

# The defaults: 15 Hz, 1 ms, every 100 ms.
play_for 2
n=$(beep_count)
sleep 0.5
[ "$(beep_count)" -eq "$n" ] || fail "tones after the second press"
[ "$n" -ge 15 ] && [ "$n" -le 25 ] || fail "$n tones in 2 s at 100 ms"
beeps_after 0 | grep -vqx "0000000f,00000001" && fail "a tone other than 15 Hz, 1 ms"
pace100=$(beep_pace_after 0)
awk -v p="$pace100" 'BEGIN{exit !(p >= 90 && p <= 110)}' || fail "median interval $pace100 ms at 100"
[ "$(grep -c "Call shell32.ShellExecuteA" "$log")" -eq 1 ] || fail "the forum not opened exactly once at start"

# A frequency typed while the tone plays is used from the next tick: 15, then what
# the box held while it was typed into, then 17 to the end.
from=$(beep_count)
click $play
sleep 0.6
typein $frequency 17
sleep 0.6
click $play
sleep 0.3
changed=$(beeps_after "$from" | cut -d, -f1 | uniq | tr '\n' ' ')
[ "$(beeps_after "$from" | head -1)" = "0000000f,00000001" ] || fail "the first tone is not 15 Hz"
[ "$(beeps_after "$from" | tail -3 | sort -u)" = "00000011,00000001" ] || fail "not 17 Hz after the change: $changed"
typein $frequency 15

# The interval is read when play is pressed.
typein $interval 250
play_for 2
pace250=$(beep_pace_after "$from")
awk -v p="$pace250" 'BEGIN{exit !(p >= 240 && p <= 260)}' || fail "median interval $pace250 ms at 250"

# In the foreground (-quiet) and detached from our output, so that it can be ended
# and holds no pipe of the test runner open.
printf 2.9 | xclip -quiet -selection clipboard -loops 5 >/dev/null 2>&1 &
clip=$!
click $interval
xdotool key End
for _ in 1 2 3 4; do xdotool key BackSpace; done
xdotool key ctrl+v
sleep 0.2
kill "$clip" 2>/dev/null
play_for 1
fast=$(($(beep_count) - from))
pace29=$(beep_pace_after "$from")
[ "$fast" -ge 30 ] || fail "$fast tones in 1 s for \"2.9\""
awk -v p="$pace29" 'BEGIN{exit !(p <= 20)}' || fail "median interval $pace29 ms for \"2.9\""

for silent in "" -5; do
  typein $interval "$silent"
  from=$(beep_count)
  click $play
  sleep 0.2
  a=$(picture); sleep 0.15; b=$(picture); sleep 0.15; c=$(picture)
  sleep 0.5
  click $play
  sleep 0.3
  [ "$(beep_count)" -eq "$from" ] || fail "tones with the interval \"$silent\""
  [ "$a" != "$b" ] || [ "$b" != "$c" ] || fail "the picture stood still with the interval \"$silent\""
done
still=$(picture); sleep 0.2
[ "$(picture)" = "$still" ] || fail "the picture moves after the second press"

# The test window over a playing tone.
typein $interval 100
from=$(beep_count)
click $play
sleep 0.5
main_enabled || fail "the main window is disabled before the test window"
click $settings
sleep 0.5
during=$(beep_count)
main_enabled
[ $? -eq 1 ] || fail "the main window is not disabled under the test window"
sleep 1
[ $(($(beep_count) - during)) -ge 7 ] || fail "the tone stopped under the test window"
xdotool key Escape
sleep 0.5
main_enabled || fail "the main window is not enabled after the test window"
click $play
sleep 0.3

click $link
sleep 0.5
[ "$(grep -c 'Call shell32.ShellExecuteA.*"open".*"http://bbs.velmora.cn/"' "$log")" -eq 2 ] ||
  fail "the link did not open the forum"
xdotool key Escape
wait_for_end
[ "$code" -eq 0 ] || fail "exit code $code"
echo "median tone intervals: $pace100 ms at 100, $pace250 ms at 250, $pace29 ms at \"2.9\" ($fast tones in 1 s)"
