#!/usr/bin/env bash
# Measures a full-screen rotation on this machine, under Wine (x86_64 build):
#  1. from "Tessora.scr /s" to the first child window (several runs);
#  2. over a 60 s run of 2 s entries: the gap between one child's last window and the
#     next child's first window, the spread of start-to-start intervals, and Tessora's
#     own CPU time and peak working set.
# Not a test: it prints figures. TESSORA_BENCH_SECONDS and TESSORA_BENCH_STARTS change
# the length of the long run and the number of start-up runs.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build="$root/build/windows64"
work="$build/bench"
run="$work/run"
seconds=${TESSORA_BENCH_SECONDS:-60}
starts=${TESSORA_BENCH_STARTS:-7}

cmake --preset windows64 >/dev/null
cmake --build "$build" -j2 --target Tessora demosavers >/dev/null
mkdir -p "$run"
x86_64-w64-mingw32-g++ -std=c++20 -O2 -Wall -Wextra -Werror -municode -static -s \
  -o "$work/rotation_probe.exe" bench/RotationProbe.cpp -lpsapi
cp "$build/Tessora.scr" "$run/"
for saver in Aurora Ember Lagoon Sakura; do cp "$build/tools/demosaver/$saver.scr" "$run/"; done
winpath() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }
dir=$(winpath "$run")
{
  printf '[Option]\r\nrandom=0\r\nspan=2\r\nbgcolor=0,0\r\n[Savers]\r\n'
  for saver in Aurora Ember Lagoon Sakura; do printf '%s=%s\\%s.scr,2,2\r\n' "$saver" "$dir" "$saver"; done
} >"$run/Tessora.ini"

started_session=0
[ -f "$build/wine-session.env" ] || started_session=1
bash scripts/wine start "$build" >/dev/null
trap '[ "$started_session" = 1 ] && bash scripts/wine stop "$build" >/dev/null' EXIT
# shellcheck disable=SC1091
. "$build/wine-session.env"

probe() {  # probe SECONDS LOGFILE: one run watched by the probe, its output on stdout
  TESSORA_DEMO_LOG=$(winpath "$2") bash scripts/wine run "$build" "$work/rotation_probe.exe" "$run/Tessora.scr" "$1"
}

stats() {  # reads numbers, prints count, mean, min, median, max, standard deviation
  sort -n | awk '{ v[NR] = $1; s += $1; q += $1 * $1 }
    END {
      if (NR == 0) { print "no values"; exit }
      m = s / NR; sd = sqrt(q / NR - m * m > 0 ? q / NR - m * m : 0)
      med = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
      printf "n=%d  mean %.0f  min %.0f  median %.0f  max %.0f  sd %.1f (ms)\n", NR, m, v[1], med, v[NR], sd
    }'
}

echo "== 1. Tessora.scr /s to the first child window ($starts runs)"
rm -f "$work"/first-*.txt
for i in $(seq 1 "$starts"); do
  probe 4 "$work/first-$i.log" >"$work/first-$i.txt"
  rm -f "$work/first-$i.log"
  sleep 0.5
done
cat "$work"/first-*.txt | awk '$1 == "start" { n++ } $1 == "appear" && !(n in seen) { seen[n] = 1; print $2 }' | stats

echo "== 2. a $seconds s run of 2 s entries (4 demo savers in list order)"
long_log="$work/long.log"
rm -f "$long_log"
# Tessora's own process as Linux sees it (Wine's loader and all): sampled until the end.
probe "$seconds" "$long_log" >"$work/long.txt" &
probe_pid=$!
unix_pid=""
hwm=0 cpu_ticks=0
while kill -0 "$probe_pid" 2>/dev/null; do
  [ -n "$unix_pid" ] || unix_pid=$(pgrep -f 'run/Tessora\.scr /s$' | head -n 1 || true)
  if [ -n "$unix_pid" ] && [ -r "/proc/$unix_pid/status" ]; then
    h=$(awk '/^VmHWM/ { print $2 }' "/proc/$unix_pid/status" 2>/dev/null || echo 0)
    c=$(awk '{ print $14 + $15 }' "/proc/$unix_pid/stat" 2>/dev/null || echo 0)
    [ -n "$h" ] && [ "$h" -gt "$hwm" ] && hwm=$h
    [ -n "$c" ] && [ "$c" -gt "$cpu_ticks" ] && cpu_ticks=$c
  fi
  sleep 0.5
done
wait "$probe_pid" || true

echo -n "gap, last window of one child to the first of the next: "
awk '$1 == "vanish" { last = $2 } $1 == "appear" && last != "" { print $2 - last; last = "" }' "$work/long.txt" | stats
echo -n "start-to-start interval (demo log, process start): "
awk '/event=start/ && /mode=screen/ && !/\/child/ { if (prev != "") print $1 - prev; prev = $1 }' "$long_log" | stats
echo -n "window-to-window interval (first window of each child): "
awk '$1 == "appear" { if (prev != "") print $2 - prev; prev = $2 }' "$work/long.txt" | stats
echo -n "children started: "
grep -c 'event=start mode=screen' "$long_log" || true
# Wine answers GetProcessTimes for another process with more than Linux counts for
# that process; both are shown, Linux's is the one to trust.
awk '$1 == "cpu" { printf "Tessora CPU time as Wine reports it (GetProcessTimes): user %.0f ms, kernel %.0f ms over %s s\n", $2, $3, s }
     $1 == "peak_working_set" { printf "Tessora peak working set (GetProcessMemoryInfo): %.1f MiB\n", $2 / 1048576 }
     $1 == "ended" { printf "Tessora ended by itself at %.1f s\n", $2 / 1000 }' s="$seconds" "$work/long.txt"
if [ -n "$unix_pid" ]; then
  hz=$(getconf CLK_TCK)
  awk -v t="$cpu_ticks" -v hz="$hz" -v h="$hwm" 'BEGIN {
    printf "Tessora as a Linux process (Wine included; sampled every 0.5 s): CPU %.0f ms, peak resident %.1f MiB\n", t * 1000 / hz, h / 1024 }'
fi
