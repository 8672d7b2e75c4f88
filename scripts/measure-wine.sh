#!/usr/bin/env bash
# Measures the real nookshade.exe under Wine against two bare programs of our
# own (bench/wine), all in one run on one private prefix and X display:
#
#   timer-only  the same 1 ms SetTimer on a hidden window, an empty tick
#   255-probe   the same timer asking GetAsyncKeyState for codes 1..255 on
#               every tick, and nothing else
#
# Figures: CPU seconds of each Windows process (utime+stime from
# /proc/<pid>/stat, and the scheduler's nanoseconds) and, separately, of
# wineserver, armed and idle, then with a key (F24) pressed every 100 ms; how
# often each process wakes while armed and idle (its threads' voluntary
# context switches: each sleep that ended); the time from the last key of the
# hide-a-window hotkey (right Ctrl, then H) to the window in front being
# hidden; start-up to the first visible window; exe size, working set and
# private memory, also of a Nookshade armed from its panel after it was
# shown. Ratios against the bare programs come from the same run. It judges nothing and is not part of scripts/test.sh;
# docs/performance.md says what the figures mean.
#
#   scripts/measure-wine.sh [out-dir]        (default build/measure)
#
# MEASURE_SECONDS (30): CPU time window per program and phase, taken in
# MEASURE_ROUNDS (3) turns; MEASURE_PRESSES (20) hotkey presses;
# MEASURE_STARTS (5) counted start-ups. About six minutes.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${MEASURE_SECONDS:-30}
rounds=${MEASURE_ROUNDS:-3}
window=$(( (seconds + rounds - 1) / rounds ))
presses=${MEASURE_PRESSES:-20}
starts=${MEASURE_STARTS:-5}
out_dir=${1:-build/measure}

scripts/install-deps.sh
cmake --preset mingw-x64 >/dev/null
cmake --build --preset mingw-x64 >/dev/null
build=$PWD/build/mingw-x64
nookshade="$build/nookshade.exe"
timer_only="$build/measure/bare_timer.exe"
probe="$build/measure/bare_probe.exe"
driver="$build/measure/nookshade_measure.exe"

mkdir -p "$out_dir" && out_dir=$(cd "$out_dir" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/nookshade-measure.XXXXXX")
log="$out_dir/wine.log"
: >"$log"

. scripts/wine-session.sh
program_pids=""

cleanup() {
  for p in $program_pids; do kill -CONT "$p" 2>/dev/null; kill "$p" 2>/dev/null; done
  wine_session_stop
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

wine_path() { printf 'Z:%s' "${1//\//\\}"; }
run_wine() { timeout "$1" "$WINELOADER" "${@:2}" >>"$log" 2>&1; }
clock_ticks=$(getconf CLK_TCK)
# utime + stime of a process, all its threads, in clock ticks. The command
# name in field 2 may hold spaces; the fields after it are counted from ')'.
cpu_ticks() { sed 's/.*) //' "/proc/$1/stat" | awk '{print $12 + $13}'; }
# The same in nanoseconds, summed over the threads (the scheduler's own
# account; a window of a few clock ticks is too coarse for a ratio).
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{s += $1} END {printf "%.0f", s}'; }
seconds_of() { awk -v t="$1" -v hz="$clock_ticks" 'BEGIN {printf "%.2f", t / hz}'; }
seconds_of_ns() { awk -v t="$1" 'BEGIN {printf "%.3f", t / 1e9}'; }
# Times the process's threads went to sleep and were woken again.
wakes() { cat /proc/"$1"/task/*/status | awk '$1 == "voluntary_ctxt_switches:" {s += $2} END {print s}'; }
per_second() { awk -v n="$1" -v s="$2" 'BEGIN {printf "%.1f", n / s}'; }
status_kib() { awk -v key="$2:" '$1 == key {print $2}' "/proc/$1/status"; }
median() { sort -n "$1" | awk '{v[NR] = $1} END {if (NR == 0) print "-"; else if (NR % 2) printf "%.1f", v[(NR + 1) / 2]; else printf "%.1f", (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
worst() { sort -n "$1" | awk 'END {if (NR == 0) print "-"; else printf "%.1f", $1}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (a == "-" || b == "-" || b + 0 == 0) print "-"; else printf "%.2fx", a / b}'; }

echo "== Xvfb and a private Wine prefix (Managed=N)"
wine_session_start "$work" "$log"
# One wineserver for the whole run, so that its CPU time is read from one
# process and Wine's own services are not started again between programs.
wineserver -p
wineserver_pid=""
for pid in $(pgrep wineserver); do
  if tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
    wineserver_pid=$pid
  fi
done
[ -n "$wineserver_pid" ] || { echo "wineserver of $WINEPREFIX not found" >&2; exit 1; }
settings='HKCU\Software\Nookshade PRO'
run_wine 60 reg add "$settings\\Saved Data" /v Password /t REG_SZ /d '' /f
run_wine 60 reg add "$settings\\Startup" /v Note /t REG_SZ /d 1 /f

# Armed: the panel hides itself on its first activation.
run_wine 60 reg add "$settings\\Startup" /v Auto /t REG_SZ /d 1 /f

# The three programs run side by side, each stopped (SIGSTOP) while another
# one is measured: a stopped process gets no timer ticks and asks wineserver
# nothing, so each window of time holds one program's cost and wineserver's
# work for it alone. The windows go round the programs in rounds, so that a
# change in the machine's load (it is shared) falls on all three alike.
names=(timer probe nookshade)
declare -A pid ticks ns server_ticks server_ns woken rss anon latency_median latency_worst latency_first

start_program() {
  local name=$1 class=$2
  shift 2
  "$WINELOADER" "$@" >>"$log" 2>&1 &
  pid[$name]=$!
  program_pids+=" ${pid[$name]}"
  # Ready: the window exists, and the panel has hidden itself (armed).
  if ! run_wine 30 "$driver" wait-window "$class" hidden 20000; then
    echo "$name did not get ready" >&2
    exit 1
  fi
  kill -STOP "${pid[$name]}"
}

# Adds one window of `window` seconds of each program to the phase's totals.
measure_rounds() {
  local phase=$1
  local round i name p0 n0 s0 sn0 w0
  for name in "${names[@]}"; do
    ticks[$phase.$name]=0; ns[$phase.$name]=0; server_ticks[$phase.$name]=0; server_ns[$phase.$name]=0
    woken[$phase.$name]=0
  done
  for round in $(seq 0 $((rounds - 1))); do
    for i in 0 1 2; do
      name=${names[$(( (round + i) % 3 ))]}
      kill -CONT "${pid[$name]}"
      sleep 1
      p0=$(cpu_ticks "${pid[$name]}"); n0=$(cpu_ns "${pid[$name]}")
      s0=$(cpu_ticks "$wineserver_pid"); sn0=$(cpu_ns "$wineserver_pid")
      w0=$(wakes "${pid[$name]}")
      sleep "$window"
      woken[$phase.$name]=$(( woken[$phase.$name] + $(wakes "${pid[$name]}") - w0 ))
      ticks[$phase.$name]=$(( ticks[$phase.$name] + $(cpu_ticks "${pid[$name]}") - p0 ))
      ns[$phase.$name]=$(( ns[$phase.$name] + $(cpu_ns "${pid[$name]}") - n0 ))
      server_ticks[$phase.$name]=$(( server_ticks[$phase.$name] + $(cpu_ticks "$wineserver_pid") - s0 ))
      server_ns[$phase.$name]=$(( server_ns[$phase.$name] + $(cpu_ns "$wineserver_pid") - sn0 ))
      if [ "$phase" = idle ] && [ "$round" = 0 ]; then
        rss[$name]=$(status_kib "${pid[$name]}" VmRSS)
        anon[$name]=$(status_kib "${pid[$name]}" RssAnon)
      fi
      kill -STOP "${pid[$name]}"
    done
  done
}

# The hotkey pressed $presses times with only that program running.
measure_latency() {
  local name=$1 mode=$2 result="$out_dir/latency-$1.txt"
  kill -CONT "${pid[$name]}"
  sleep 1
  run_wine 120 "$driver" latency "$presses" "$mode" "$(wine_path "$result")" ||
    echo "$name: not every press was measured (see $log)" >&2
  kill -STOP "${pid[$name]}"
  latency_median[$name]=$(median "$result")
  latency_worst[$name]=$(worst "$result")
  latency_first[$name]=$(awk 'NR == 1 {printf "%.1f", $1}' "$result")
}

echo "== Start the three programs, armed"
program_pids=""
start_program timer BareTimer "$timer_only"
start_program probe BareProbe "$probe" --hide-foreground-on 72
start_program nookshade NookshadePanel "$nookshade"

echo "== Idle: ${seconds} s of each, in $rounds rounds"
measure_rounds idle
echo "== A key every 100 ms: ${seconds} s of each, in $rounds rounds"
# F24 (135), a key no hotkey uses, down 50 ms of every 100 ms, sent from the
# driver's own window in front (Wine reports keys only to a focused window).
# It ends by itself a little after the last window, never with a key held.
"$WINELOADER" "$driver" keys 135 100 50 $(( rounds * 3 * (window + 1) + 4 )) >>"$log" 2>&1 &
keys_pid=$!
sleep 2
measure_rounds keyed
wait "$keys_pid" || echo "the key driver failed (see $log)" >&2

echo "== Right Ctrl, then H: $presses presses with each program that reacts"
measure_latency probe self
measure_latency nookshade nookshade

for p in $program_pids; do kill -CONT "$p"; kill "$p"; wait "$p" 2>/dev/null || true; done
program_pids=""

echo "== Private memory of a Nookshade armed from its panel, after it was shown"
# Not armed at the start: the panel is shown (and builds its controls), then
# armed by its Start command, as a user arms it.
run_wine 60 reg add "$settings\\Startup" /v Auto /t REG_SZ /d 0 /f
"$WINELOADER" "$nookshade" >>"$log" 2>&1 &
shown_pid=$!
program_pids=" $shown_pid"
if run_wine 30 "$driver" wait-window NookshadePanel shown 20000 &&
  run_wine 30 "$driver" arm 20000; then
  sleep 3
  rss[shown]=$(status_kib "$shown_pid" VmRSS)
  anon[shown]=$(status_kib "$shown_pid" RssAnon)
else
  echo "the panel was not shown and armed (see $log)" >&2
  rss[shown]=-; anon[shown]=-
fi
kill "$shown_pid"; wait "$shown_pid" 2>/dev/null || true
program_pids=""

echo "== Start-up to the first visible window: $starts runs of each, in turns, after one warm-up"
# Not armed here (as above), so that the panel stays in sight.
run_wine 180 "$driver" startup "$starts" \
  "$(wine_path "$out_dir/start-timer.txt")" "\"$(wine_path "$timer_only")\" --show" \
  "$(wine_path "$out_dir/start-nookshade.txt")" "\"$(wine_path "$nookshade")\""
start_timer=$(median "$out_dir/start-timer.txt")
start_nookshade=$(median "$out_dir/start-nookshade.txt")
fastest_timer=$(sort -n "$out_dir/start-timer.txt" | awk 'NR == 1 {printf "%.1f", $1}')
fastest_nookshade=$(sort -n "$out_dir/start-nookshade.txt" | awk 'NR == 1 {printf "%.1f", $1}')
size_timer=$(stat -c %s "$timer_only")
size_probe=$(stat -c %s "$probe")
size_nookshade=$(stat -c %s "$nookshade")

row() { printf '| %s | %s | %s | %s | %s | %s |\n' "$@"; }
# The program's CPU and wineserver's while it ran, in seconds of schedstat.
both_rows() {
  local phase=$1 label=$2 name
  local -a total=()
  for name in timer probe nookshade; do
    total+=("$(( ns[$phase.$name] + server_ns[$phase.$name] ))")
  done
  mapfile -t cells < <(figures "${total[@]}")
  row "$label" "$(seconds_of_ns "${total[0]}")" "$(seconds_of_ns "${total[1]}")" \
    "$(seconds_of_ns "${total[2]}")" "${cells[3]}" "${cells[4]}"
}
# Three figures (timer-only, 255-probe, nookshade) and nookshade's two ratios.
figures() { printf '%s\n' "$1" "$2" "$3" "$(ratio "$3" "$1")" "$(ratio "$3" "$2")"; }
cpu_rows() {
  local phase=$1 label=$2
  local -n by_ticks=$3 by_ns=$4
  local t=${by_ticks[$phase.timer]} p=${by_ticks[$phase.probe]} n=${by_ticks[$phase.nookshade]}
  mapfile -t cells < <(figures "$t" "$p" "$n")
  row "$label, utime+stime" "$(seconds_of "$t")" "$(seconds_of "$p")" "$(seconds_of "$n")" "${cells[3]}" "${cells[4]}"
  t=${by_ns[$phase.timer]}; p=${by_ns[$phase.probe]}; n=${by_ns[$phase.nookshade]}
  mapfile -t cells < <(figures "$t" "$p" "$n")
  row "$label, schedstat" "$(seconds_of_ns "$t")" "$(seconds_of_ns "$p")" "$(seconds_of_ns "$n")" "${cells[3]}" "${cells[4]}"
}
{
  echo "Wine $("$WINELOADER" --version 2>/dev/null), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg) at the end"
  echo "CPU seconds over $((window * rounds)) s of each program ($rounds rounds of $window s), from /proc/<pid>/stat"
  echo "(utime+stime, ${clock_ticks} ticks/s) and /proc/<pid>/task/*/schedstat (ns)"
  echo
  row "figure" "timer-only" "255-probe" "nookshade.exe" "nookshade / timer-only" "nookshade / 255-probe"
  row "---" "---:" "---:" "---:" "---:" "---:"
  cpu_rows idle "armed, idle: program" ticks ns
  cpu_rows idle "armed, idle: wineserver" server_ticks server_ns
  cpu_rows keyed "key every 100 ms: program" ticks ns
  cpu_rows keyed "key every 100 ms: wineserver" server_ticks server_ns
  both_rows idle "armed, idle: program + wineserver, schedstat"
  both_rows keyed "key every 100 ms: program + wineserver, schedstat"
  mapfile -t cells < <(figures "$(per_second "${woken[idle.timer]}" $((window * rounds)))" \
    "$(per_second "${woken[idle.probe]}" $((window * rounds)))" \
    "$(per_second "${woken[idle.nookshade]}" $((window * rounds)))")
  row "armed, idle: wake-ups per second" "${cells[@]}"
  row "hotkey to hidden, median ms" "-" "${latency_median[probe]}" "${latency_median[nookshade]}" "-" \
    "$(ratio "${latency_median[nookshade]}" "${latency_median[probe]}")"
  row "hotkey to hidden, worst ms" "-" "${latency_worst[probe]}" "${latency_worst[nookshade]}" "-" \
    "$(ratio "${latency_worst[nookshade]}" "${latency_worst[probe]}")"
  row "hotkey to hidden, first press ms" "-" "${latency_first[probe]}" "${latency_first[nookshade]}" "-" \
    "$(ratio "${latency_first[nookshade]}" "${latency_first[probe]}")"
  row "start-up to visible window, median ms" "$start_timer" "-" "$start_nookshade" \
    "$(ratio "$start_nookshade" "$start_timer")" "-"
  row "start-up to visible window, fastest ms" "$fastest_timer" "-" "$fastest_nookshade" \
    "$(ratio "$fastest_nookshade" "$fastest_timer")" "-"
  mapfile -t cells < <(figures "$size_timer" "$size_probe" "$size_nookshade")
  row "exe size, bytes" "${cells[@]}"
  mapfile -t cells < <(figures "${rss[timer]}" "${rss[probe]}" "${rss[nookshade]}")
  row "working set (VmRSS), KiB" "${cells[@]}"
  mapfile -t cells < <(figures "${anon[timer]}" "${anon[probe]}" "${anon[nookshade]}")
  row "private memory (RssAnon), KiB" "${cells[@]}"
  mapfile -t cells < <(figures "${rss[timer]}" "${rss[probe]}" "${rss[shown]}")
  row "working set (VmRSS), armed from the shown panel, KiB" "${cells[@]}"
  mapfile -t cells < <(figures "${anon[timer]}" "${anon[probe]}" "${anon[shown]}")
  row "private memory (RssAnon), armed from the shown panel, KiB" "${cells[@]}"
  echo
  echo "Hotkey to hidden: from H going down (right Ctrl held) to the window in front hidden."
  echo "The 255-probe program hides it on the first tick that finds H pressed: that is when a"
  echo "key is seen. nookshade.exe's median minus that: $(awk -v a="${latency_median[nookshade]}" \
    -v b="${latency_median[probe]}" 'BEGIN {printf "%.1f", a - b}') ms (a timer period under Wine is 10 ms)."
} | tee "$out_dir/results.md"
