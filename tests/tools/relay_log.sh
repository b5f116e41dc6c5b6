# shellcheck shell=bash
# Shared by the end-to-end tests of the real program: runs it with Wine's relay
# log of the functions named (kernel32.Beep, shell32.ShellExecuteA), timestamped,
# into $log; the registry setting and the log go when the test ends.
#   start_with_relay_log EXE "kernel32.Beep;shell32.ShellExecuteA"   (sets $log, $program)
#   screen_size                                                        (sets $sw, $sh)
#   wait_for_end                                                       (sets $code)
# shellcheck disable=SC2034  # the variables set here are read by the scripts that source it
relay_key='HKCU\Software\Wine\Debug'
# The Wine that runs the program under test: the build's own runner when the build
# names it (tools/wine64-exec for the 64-bit build on machines that run no 32-bit
# code), else wine.
wine() { command "${VELMORA_WINE:-wine}" "$@"; }
start_with_relay_log() {
  log=$(mktemp)
  wine reg add "$relay_key" /v RelayInclude /d "$2" /f >/dev/null 2>&1
  # At the end the pointer waits in the bottom right corner, away from the windows
  # of the tests that follow.
  trap 'wine reg delete "$relay_key" /v RelayInclude /f >/dev/null 2>&1; rm -f "$log"
        xdotool mousemove $(xdotool getdisplaygeometry | awk "{print \$1 - 1, \$2 - 1}")' EXIT
  WINEDEBUG=+timestamp,+relay wine "$1" >"$log" 2>&1 &
  program=$!
}
screen_size() {
  read -r sw sh < <(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\) pixels.*/\1 \2/p')
}
# Waits up to 10 s for the program to end; sets $code to its exit code.
wait_for_end() {
  for _ in $(seq 1 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
  wait "$program"
  code=$?
}

# The pointer and the keyboard, as a user's hand.
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.2; }
# Replaces the text of the box at ($1, $2) with $3 (empty: clears it).
typein() {
  click "$1" "$2"
  xdotool key End
  for _ in 1 2 3 4 5 6 7 8; do xdotool key BackSpace; done
  [ -n "$3" ] && xdotool type -- "$3"
  sleep 0.1
}

# Tone requests in the log: how many so far, and the arguments of those after the
# first $1 as "frequency,duration" hex pairs, one a line.
beep_count() { grep -c "Call KERNEL32.Beep" "$log"; }
beeps_after() {
  grep -o 'Call KERNEL32.Beep([0-9a-f]*,[0-9a-f]*)' "$log" | tail -n +$(($1 + 1)) | sed 's/.*Beep(//; s/)//'
}
# The median time in ms (one decimal) from one tone request to the next, over those
# after the first $1.
beep_pace_after() {
  grep "Call KERNEL32.Beep" "$log" | tail -n +$(($1 + 1)) | cut -d: -f1 |
    awk 'NR>1{print int(($1-p)*10000+0.5)/10}{p=$1}' | sort -n | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}'
}
