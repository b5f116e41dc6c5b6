# shellcheck shell=bash
# `tools/bench --program`: the running velmora.exe against velmora-baseline.exe, a
# plain Win32 program of the same window doing the same work, both under Wine in one
# run, driven the same way (the X pointer and keyboard at the same places).
# Prints, for each figure, ours, the baseline's and their ratio:
#   start-up   process start to the window shown, and to the moment its pixels
#              settled (every paint done): $batches batches of $starts starts of
#              each program, the two started in turn; per batch the median and
#              the middle half of each, and the ratio of the medians; then a
#              timeline of one start of each (`tools/bench --startup`: this alone);
#   tone pace  tick to tick of the tone at 100 ms while the test window sweeps every
#              10 ms and its balloon comes and goes, and of the tone at 1 ms: median,
#              mean over the run, drift (mean of the last fifth minus the first fifth)
#              and ticks late by half a period or more (from Wine's relay log of Beep);
#   animation  frame to frame of the main picture while the tone and the sweep run,
#              against its nominal 50 ms (the picture worker's GDI copies);
#   CPU        of the program's process over $cpu_seconds each: idle, animation
#              only (empty interval), tone at 100 ms with the animation;
#   memory     private bytes, working set and handles after start.
# Needs: the Windows build of this machine built ($VELMORA_PRESET), DISPLAY and a
# started Wine (tools/bench does all three).

bench_exe=build/$VELMORA_PRESET/app/velmora.exe
bench_base=build/$VELMORA_PRESET/bench/program/velmora-baseline.exe
bench_probe=build/$VELMORA_PRESET/tools/probe/velmora-probe.exe
starts=${VELMORA_BENCH_STARTS:-41}
timeline_starts=${VELMORA_BENCH_TIMELINE_STARTS:-5}
batches=${VELMORA_BENCH_BATCHES:-3}
pace_seconds=${VELMORA_BENCH_PACE_SECONDS:-60}
cpu_seconds=${VELMORA_BENCH_CPU_SECONDS:-30}
source tests/tools/relay_log.sh

median() { sort -n | awk '{a[NR]=$1} END{if (NR) print a[int((NR+1)/2)]; else print 0}'; }
# "p25 median p75" of the numbers on stdin (0 0 0 for none).
quartiles() {
  sort -n | awk '{a[NR] = $1}
    END { if (!NR) { print "0 0 0"; exit }
          print a[int((NR + 3) / 4)], a[int((NR + 1) / 2)], a[int((3 * NR + 1) / 4)] }'
}
row() {
  printf '  %-50s %10s %10s %8s\n' "$1" "$2" "$3" \
    "$(awk -v a="$2" -v b="$3" 'BEGIN{ if (b+0 == 0) print "-"; else printf "%.3f", a / b }')"
}
header() { printf '\n%s\n  %-50s %10s %10s %8s\n' "$1" "" "ours" "baseline" "ratio"; }

# Window geometry: both programs centre a 298 x 196 window with the same children.
screen_size
mcx=$(((sw - 298) / 2 + 3)); mcy=$(((sh - 196) / 2 + 22))
tcx=$(((sw - 380) / 2 + 3)); tcy=$(((sh - 177) / 2 + 22))
play_at="$((mcx + 168)) $((mcy + 118))"
settings_at="$((mcx + 249)) $((mcy + 119))"
interval_at="$((mcx + 214)) $((mcy + 67))"
freq_box_at="$((tcx + 221)) $((tcy + 36))"
duration_at="$((tcx + 221)) $((tcy + 76))"
sweep_at="$((tcx + 202)) $((tcy + 117))"
stop_sweep_at="$((tcx + 319)) $((tcy + 118))"

# Runs EXE [ARG] with the relay log of the functions in $1; sets $log and $program.
relay_start() {
  local functions=$1
  shift
  log=$(mktemp)
  wine reg add "$relay_key" /v RelayInclude /d "$functions" /f >/dev/null 2>&1
  WINEDEBUG=+timestamp,+relay wine "$@" >"$log" 2>&1 &
  program=$!
  for _ in $(seq 1 100); do grep -q "ShellExecuteA" "$log" && break; sleep 0.1; done
  sleep 1
}
relay_end() {
  xdotool key Escape
  wait_for_end
  wine reg delete "$relay_key" /v RelayInclude /f >/dev/null 2>&1
}

# Tick statistics of the timestamps (seconds) on stdin, for a nominal period in ms:
# "median mean drift late".
tick_stats() {
  local intervals
  intervals=$(awk 'NR > 1 {printf "%.3f\n", ($1 - p) * 1000} {p = $1}')
  [ -n "$intervals" ] || { echo "0 0 0 0"; return; }
  echo "$(median <<<"$intervals")" "$(awk -v period="$1" '
    { d[NR] = $1; sum += $1 }
    END {
      fifth = int(NR / 5); if (fifth < 1) fifth = 1
      for (i = 1; i <= fifth; i++) { a += d[i]; b += d[NR + 1 - i] }
      # Late: half a period or more beyond the period Windows keeps (its fastest
      # timer runs at 10 ms whatever is asked).
      kept = sum / NR > period ? sum / NR : period
      for (i = 1; i <= NR; i++) if (d[i] >= 1.5 * kept) late++
      printf "%.3f %.3f %d\n", sum / NR, (b - a) / fifth, late + 0
    }' <<<"$intervals")"
}
# The Beep timestamps of $log whose duration argument is $1 (hex, 8 digits).
beep_times() { grep "Call KERNEL32.Beep([0-9a-f]*,$1)" "$log" | cut -d: -f1; }

# The "everything" run: the tone at 100 ms, the test window sweeping every 10 ms
# (duration 2, so its tones are told from the main tone's 1 ms) with its balloon
# shown and hidden every few seconds, the picture animating, for $1 seconds, with
# the relay log of the functions in $2 (every logged call costs the program time:
# the tones are timed in a run that logs only Beep, the frames in one of their own).
# Leaves the log in $log for the caller, who ends the run with relay_end.
everything_run() {
  relay_start "$2" "$bench_exe"
  typein $interval_at 100
  click $play_at
  click $settings_at
  sleep 0.5
  typein $duration_at 2
  click $sweep_at
  local end=$((SECONDS + $1))
  while [ $SECONDS -lt $end ]; do
    xdotool mousemove $freq_box_at
    sleep 2.5
    xdotool mousemove $((tcx + 40)) $((tcy + 150))
    sleep 1.5
  done
  click $stop_sweep_at
  xdotool key Escape
  sleep 0.3
  click $play_at
}
# Leaves ours_main, ours_sweep and ours_frames (timestamp files).
pace_run_ours() {
  everything_run "$pace_seconds" "kernel32.Beep;shell32.ShellExecuteA"
  beep_times 00000001 >"$work/ours_main"
  beep_times 00000002 >"$work/ours_sweep"
  relay_end
  rm -f "$log"
  everything_run $((pace_seconds / 3)) "kernel32.Beep;shell32.ShellExecuteA;gdi32.BitBlt;gdi32.StretchDIBits"
  # The picture's worker is the thread that copies frames without asking for tones.
  local ui
  ui=$(grep "Call KERNEL32.Beep" "$log" | head -1 | cut -d: -f2)
  grep -E "Call gdi32\.(BitBlt|StretchDIBits)\(" "$log" | awk -F: -v ui="$ui" '$2 != ui' |
    cut -d: -f2 | sort | uniq -c | sort -rn | head -1 | awk '{print $2}' >"$work/worker"
  grep -E "Call gdi32\.(BitBlt|StretchDIBits)\(" "$log" | awk -F: -v w="$(cat "$work/worker")" '$2 == w' |
    cut -d: -f1 | awk '$1 - p >= 0.005 {print} {p = $1}' >"$work/ours_frames"
  relay_end
  rm -f "$log"
}
pace_run_baseline() {
  relay_start "kernel32.Beep;shell32.ShellExecuteA" "$bench_base" sweep
  typein $interval_at 100
  click $play_at
  sleep "$pace_seconds"
  click $play_at
  beep_times 00000001 >"$work/base_main"
  beep_times 00000002 >"$work/base_sweep"
  relay_end
  rm -f "$log"
}
# The tone at 1 ms for a third of the pace time. $1: exe; $2: output file.
fast_run() {
  relay_start "kernel32.Beep;shell32.ShellExecuteA" "$1"
  typein $interval_at 1
  click $play_at
  sleep $((pace_seconds / 3))
  click $play_at
  beep_times 00000001 >"$2"
  relay_end
  rm -f "$log"
}

# CPU time (ms) used so far by the Unix process of the Windows program $1 (the
# newest process started with exactly that path).
cpu_ms() {
  local pid
  pid=$(pgrep -n -x -f "$1")
  awk -v hz="$(getconf CLK_TCK)" '{print ($14 + $15) * 1000 / hz}' "/proc/$pid/stat"
}
# Percent of one core over $cpu_seconds.
cpu_share() {
  local before after
  before=$(cpu_ms "$1")
  sleep "$cpu_seconds"
  after=$(cpu_ms "$1")
  awk -v a="$before" -v b="$after" -v s="$cpu_seconds" 'BEGIN{printf "%.3f", (b - a) / (s * 10)}'
}
# Prints "idle animation tone" CPU shares and "private working-set handles" of $1.
cpu_and_memory_run() {
  local exe=$1 name=$1
  WINEDEBUG=-all wine "$exe" >/dev/null 2>&1 &
  program=$!
  sleep 3
  local memory idle animation tone
  memory=$(wine "$bench_probe" resources Velmora)
  idle=$(cpu_share "$name")
  typein $interval_at ""
  click $play_at
  animation=$(cpu_share "$name")
  click $play_at
  typein $interval_at 100
  click $play_at
  tone=$(cpu_share "$name")
  click $play_at
  xdotool key Escape
  wait_for_end
  echo "$idle $animation $tone $memory"
}

# Start-up: $batches batches; in each, ours and the baseline are started in turn,
# start by start, $starts times each, so that a slow spell of the machine falls on
# both alike. Leaves $work/ours_start.B and $work/base_start.B ("shown painted" ms,
# a line a start).
startup_batches() {
  echo "start-up: $batches batches of $starts starts of each program, the two in turn"
  local b _
  for b in $(seq 1 "$batches"); do
    : >"$work/ours_start.$b"
    : >"$work/base_start.$b"
    for _ in $(seq 1 "$starts"); do
      wine "$bench_probe" startup "$bench_exe" >>"$work/ours_start.$b" 2>/dev/null || true
      wine "$bench_probe" startup "$bench_base" >>"$work/base_start.$b" 2>/dev/null || true
    done
  done
}
# Per batch and figure: ours and the baseline as "median (p25-p75)" and the ratio
# of the medians; then how far the ratio moves from batch to batch, which is the
# noise of the figure: a change smaller than that is not measured by one batch.
startup_figures() {
  printf '\nStart-up (ms; median and middle half of %s starts; %s batches)\n' "$starts" "$batches"
  printf '  %-34s %22s %22s %8s\n' "" "ours" "baseline" "ratio"
  local column name b o bl ratio ratios o1 o2 o3 b1 b2 b3
  for column in 1 2; do
    name="process start to window shown"
    [ "$column" -eq 2 ] && name="process start to shown and painted"
    ratios=""
    for b in $(seq 1 "$batches"); do
      read -r o1 o2 o3 < <(cut -d' ' -f"$column" "$work/ours_start.$b" | quartiles)
      read -r b1 b2 b3 < <(cut -d' ' -f"$column" "$work/base_start.$b" | quartiles)
      o="$o2 ($o1-$o3)"
      bl="$b2 ($b1-$b3)"
      ratio=$(awk -v a="$o2" -v c="$b2" 'BEGIN{ if (c + 0 == 0) print "-"; else printf "%.3f", a / c }')
      ratios="$ratios $ratio"
      printf '  %-34s %22s %22s %8s\n' "$name, batch $b" "$o" "$bl" "$ratio"
    done
    awk -v r="$ratios" 'BEGIN{ n = split(r, a, " "); lo = a[1]; hi = a[1]
      for (i = 2; i <= n; i++) { if (a[i] < lo) lo = a[i]; if (a[i] > hi) hi = a[i] }
      printf "  %-34s ratios %.3f to %.3f: a difference under %.3f is noise\n", "", lo, hi, hi - lo }'
  done
}

# A timeline of $timeline_starts starts of $1: the program's calls that make its
# window and start its services, from Wine's relay log, each at its median ms (and
# the lowest and highest) from the process's first logged moment over the starts.
# Logging costs a little time itself: the order and the gaps matter here, not the
# absolute figures.
startup_timeline() {
  local functions="ole32.OleInitialize;user32.RegisterClassExW;user32.RegisterClassW"
  functions="$functions;user32.CreateWindowExW;user32.ShowWindow;user32.UpdateWindow;user32.SetWindowPos"
  functions="$functions;user32.BeginPaint;user32.EndPaint;comctl32.InitCommonControlsEx"
  functions="$functions;kernel32.LoadLibraryA;kernel32.LoadLibraryW;shell32.ShellExecuteA"
  functions="$functions;user32.GetMessageW;user32.DispatchMessageW"
  local log calls pid _
  log=$(mktemp)
  calls=$(mktemp)
  wine reg add "$relay_key" /v RelayInclude /d "$functions" /f >/dev/null 2>&1
  for _ in $(seq 1 "$timeline_starts"); do
    # The probe prints the program's process id last; the log's lines begin with
    # "time:process:thread:". Each start adds its calls, numbered, to $calls.
    pid=$(WINEDEBUG=+timestamp,+pid,+relay wine "$bench_probe" startup "$1" 2>"$log" | tr -d '\r' | awk '{print $3}')
    awk -F: -v pid="$pid" '
      $2 != pid { next }
      t0 == "" { t0 = $1 }
      /:Call [A-Za-z0-9]+\.[A-Za-z]/ {
        call = $0; sub(/^[^C]*Call /, "", call); sub(/ ret=.*/, "", call)
        if (length(call) > 72) call = substr(call, 1, 69) "..."
        printf "%d\t%.1f\t%s\n", ++n, ($1 - t0) * 1000, call
      }
      END { printf "%d\t%.1f\t(the process ends)\n", ++n, ($1 - t0) * 1000 }' "$log" >>"$calls"
  done
  wine reg delete "$relay_key" /v RelayInclude /f >/dev/null 2>&1
  # The calls of the first start, each at the median of its times over the starts
  # whose call of that number is the same function; a run of calls to one function
  # shows as its first, with how many there were and when the last came.
  awk -F'\t' '
    function fn(call) { sub(/\(.*/, "", call); return call }
    function median(list,   a, m, i, j, t) {
      m = split(list, a, " ")
      for (i = 1; i <= m; i++) for (j = i + 1; j <= m; j++) if (a[j] + 0 < a[i] + 0) { t = a[i]; a[i] = a[j]; a[j] = t }
      lo = a[1]; hi = a[m]
      return a[int((m + 1) / 2)]
    }
    $1 == 1 { starts++ }
    starts == 1 { call[$1] = $3; count = $1 }
    fn($3) == fn(call[$1]) { times[$1] = times[$1] " " $2 }
    function flush() { if (run > 1) printf "            (%d calls of %s to %.1f)\n", run, last, lastTime }
    END {
      for (i = 1; i <= count; i++) {
        lastTime = median(times[i]); name = fn(call[i])
        if (name == last) { run++; continue }
        flush(); last = name; run = 1
        printf "  %8.1f  %-72s %6.1f-%.1f\n", lastTime, call[i], lo, hi
      }
      flush()
    }' "$calls"
  rm -f "$log" "$calls"
}

startup_bench() {
  set +e
  work=$(mktemp -d)
  say "start-up: ours (velmora.exe) against the plain Win32 baseline"
  startup_batches
  startup_figures
  printf '\nTimeline of ours: median of %s starts (lowest-highest), ms from the first logged call\n' "$timeline_starts"
  startup_timeline "$bench_exe"
  printf '\nTimeline of the baseline, the same way\n'
  startup_timeline "$bench_base"
  rm -rf "$work"
}

program_bench() {
  # The programs' exit codes and the searches are looked at, not fatal.
  set +e
  work=$(mktemp -d)
  say "program benchmarks: ours (velmora.exe) against the plain Win32 baseline"
  startup_batches
  echo "tone pace: $pace_seconds s at 100 ms with the sweep, $((pace_seconds / 3)) s at 1 ms, each; frames: $((pace_seconds / 3)) s"
  pace_run_ours
  pace_run_baseline
  fast_run "$bench_exe" "$work/ours_fast"
  fast_run "$bench_base" "$work/base_fast"
  echo "CPU: $cpu_seconds s in each state"
  read -r o_idle o_anim o_tone o_private o_ws o_handles < <(cpu_and_memory_run "$bench_exe")
  read -r b_idle b_anim b_tone b_private b_ws b_handles < <(cpu_and_memory_run "$bench_base")

  startup_figures

  header "Tone pace (ms)"
  for figure in "100 main tone at 100 ms, sweep running" "10 sweep every 10 ms, tone running" "1 tone at 1 ms"; do
    local period=${figure%% *} what=${figure#* } of bf
    case $period in
      100) of=ours_main; bf=base_main ;;
      10) of=ours_sweep; bf=base_sweep ;;
      1) of=ours_fast; bf=base_fast ;;
    esac
    read -r om oa od ol < <(tick_stats "$period" <"$work/$of")
    read -r bm ba bd bl < <(tick_stats "$period" <"$work/$bf")
    row "$what: median" "$om" "$bm"
    row "$what: mean over the run" "$oa" "$ba"
    row "$what: drift, last fifth - first fifth" "$od" "$bd"
    row "$what: ticks late by >= 0.5 period" "$ol" "$bl"
  done

  header "Animation pace (ms), while the tone and the sweep run"
  read -r fm fa _ fl < <(tick_stats 50 <"$work/ours_frames")
  row "frame to frame: median (baseline: nominal)" "$fm" 50
  row "frame to frame: mean over the run" "$fa" 50
  row "frames late by >= 25 ms" "$fl" 0

  header "CPU (% of one core, $cpu_seconds s each)"
  row "nothing playing" "$o_idle" "$b_idle"
  row "animation only (empty interval)" "$o_anim" "$b_anim"
  row "tone at 100 ms with the animation" "$o_tone" "$b_tone"

  header "Memory after start"
  row "private bytes (KiB)" "$((o_private / 1024))" "$((b_private / 1024))"
  row "working set (KiB)" "$((o_ws / 1024))" "$((b_ws / 1024))"
  row "handles" "$o_handles" "$b_handles"
  rm -rf "$work"
}
