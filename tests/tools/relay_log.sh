# shellcheck shell=bash
# Shared by the end-to-end tests of the real program: runs it with Wine's relay
# log of the functions named (kernel32.Beep, shell32.ShellExecuteA), timestamped,
# into $log; the registry setting and the log go when the test ends.
#   start_with_relay_log EXE "kernel32.Beep;shell32.ShellExecuteA"   (sets $log, $program)
#   screen_size                                                        (sets $sw, $sh)
#   wait_for_end                                                       (sets $code)
relay_key='HKCU\Software\Wine\Debug'
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
