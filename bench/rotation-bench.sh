#!/usr/bin/env bash
# Measures a full-screen rotation on this machine, under Wine (x86_64 build), and
# prints each figure beside a baseline measured in the same run:
#  1. "Tessora.scr /s" to the first child window, beside the demo saver's own time from
#     "Aurora.scr /s" to its window (as many runs of each, taken in turns);
#  2. over a run of 2 s entries: the gap between one child's last window and the next
#     child's first window, beside the design's floor (the close pass's pauses, the
#     restart delay and the saver's own start), and the spread of start-to-start times;
#  3. a run in which one child stays for the whole time (span 0): Tessora's CPU as a
#     share of one core and its peak resident memory, beside the child's own in the same
#     minute (both as Linux counts their Wine processes).
# Not a test: it prints figures. TESSORA_BENCH_SECONDS (60) sets the length of the two
# long runs, TESSORA_BENCH_STARTS (7) the number of start-up runs of each kind.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build="$root/build/windows64"
work="$build/bench"
run="$work/run"
seconds=${TESSORA_BENCH_SECONDS:-60}
starts=${TESSORA_BENCH_STARTS:-7}
savers="Aurora Ember Lagoon Sakura"

cmake --preset windows64 >/dev/null
cmake --build "$build" -j2 --target Tessora demosavers >/dev/null
mkdir -p "$run"
x86_64-w64-mingw32-g++ -std=c++20 -O2 -Wall -Wextra -Werror -municode -static -s \
  -o "$work/rotation_probe.exe" bench/RotationProbe.cpp -lpsapi
cp "$build/Tessora.scr" "$run/"
for saver in $savers; do cp "$build/tools/demosaver/$saver.scr" "$run/"; done
winpath() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }
dir=$(winpath "$run")
write_ini() {  # write_ini SPAN: the four demo savers in list order, no seconds of their own
  {
    printf '[Option]\r\nrandom=0\r\nspan=%s\r\nbgcolor=0,0\r\n[Savers]\r\n' "$1"
    for saver in $savers; do printf '%s=%s\\%s.scr\r\n' "$saver" "$dir" "$saver"; done
  } >"$run/Tessora.ini"
}

started_session=0
[ -f "$build/wine-session.env" ] || started_session=1
bash scripts/wine start "$build" >/dev/null
trap '[ "$started_session" = 1 ] && bash scripts/wine stop "$build" >/dev/null' EXIT
# shellcheck disable=SC1091
. "$build/wine-session.env"

probe() {  # probe PROGRAM SECONDS LOGFILE: one run watched by the probe, its output on stdout
  TESSORA_DEMO_LOG=$(winpath "$3") bash scripts/wine run "$build" "$work/rotation_probe.exe" "$1" "$2"
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
median() {  # reads numbers, prints their median (nothing when there are none)
  sort -n | awk '{ v[NR] = $1 } END { if (NR) print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
first_appear() { awk '$1 == "appear" { print $2; exit }' "$@"; }

# The Linux process of a Wine program, found by its whole command line: the probe
# starts Tessora by its Unix path, Tessora its child by the Windows path (without the
# quotes). Other builds' runs on this machine have other paths.
regex() { printf '%s' "$1" | sed 's/[][\\.*^$+?(){}|]/\\&/g'; }
tessora_re="^$(regex "$run/Tessora.scr") /s\$"
child_re="^$(regex "$dir\\Aurora.scr") /S\$"
unix_pid() { pgrep -f "$1" | head -n 1 || true; }
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0; }
hwm_kib() { awk '/^VmHWM/ { print $2 }' "/proc/$1/status" 2>/dev/null || echo 0; }

echo "== 1. /s to the first child window: Tessora.scr and Aurora.scr, $starts runs each, in turns"
write_ini 2
rm -f "$work"/first-*.txt "$work"/direct-*.txt
# One start of each first, not counted: the first start after a pause loads files the
# later ones find in memory.
probe "$run/Tessora.scr" 2 "$work/warm.log" >/dev/null
probe "$run/Aurora.scr" 1 "$work/warm.log" >/dev/null
rm -f "$work/warm.log"
for i in $(seq 1 "$starts"); do
  probe "$run/Tessora.scr" 4 "$work/first-$i.log" >"$work/first-$i.txt"
  sleep 0.5
  probe "$run/Aurora.scr" 2 "$work/direct-$i.log" >"$work/direct-$i.txt"
  rm -f "$work/first-$i.log" "$work/direct-$i.log"
  sleep 0.5
done
for i in $(seq 1 "$starts"); do first_appear "$work/first-$i.txt"; done >"$work/first.values"
for i in $(seq 1 "$starts"); do first_appear "$work/direct-$i.txt"; done >"$work/direct.values"
echo -n "Tessora.scr /s to the first child window: "; stats <"$work/first.values"
echo -n "Aurora.scr /s to its own window:          "; stats <"$work/direct.values"

echo "== 2. a $seconds s run of 2 s entries (4 demo savers in list order)"
long_log="$work/long.log"
rm -f "$long_log"
# Tessora's own process as Linux sees it (Wine's loader and all): sampled until the end.
probe "$run/Tessora.scr" "$seconds" "$long_log" >"$work/long.txt" &
probe_pid=$!
tessora_pid=""
rotation_hwm=0
while kill -0 "$probe_pid" 2>/dev/null; do
  [ -n "$tessora_pid" ] || tessora_pid=$(unix_pid "$tessora_re")
  if [ -n "$tessora_pid" ]; then
    h=$(hwm_kib "$tessora_pid")
    [ -n "$h" ] && [ "$h" -gt "$rotation_hwm" ] && rotation_hwm=$h
  fi
  sleep 0.5
done
wait "$probe_pid" || true

awk '$1 == "vanish" { last = $2 } $1 == "appear" && last != "" { print $2 - last; last = "" }' "$work/long.txt" >"$work/gap.values"
echo -n "gap, last window of one child to the first of the next: "; stats <"$work/gap.values"
echo -n "start-to-start interval (demo log, process start): "
awk '/event=start/ && /mode=screen/ && !/\/child/ { if (prev != "") print $1 - prev; prev = $1 }' "$long_log" | stats
echo -n "window-to-window interval (first window of each child): "
awk '$1 == "appear" { if (prev != "") print $2 - prev; prev = $2 }' "$work/long.txt" | stats
echo -n "children started: "
grep -c 'event=start mode=screen' "$long_log" || true
awk '$1 == "ended" { printf "Tessora ended by itself at %.1f s\n", $2 / 1000 }' "$work/long.txt"

echo "== 3. a $seconds s run of one child that stays (span 0)"
write_ini 0
stay_log="$work/stay.log"
rm -f "$stay_log"
probe "$run/Tessora.scr" "$((seconds + 5))" "$stay_log" >"$work/stay.txt" &
probe_pid=$!
tessora_pid="" child_pid=""
t0="" tessora0=0 child0=0 t1="" tessora1=0 child1=0 tessora_hwm=0 child_hwm=0
while kill -0 "$probe_pid" 2>/dev/null; do
  [ -n "$tessora_pid" ] || tessora_pid=$(unix_pid "$tessora_re")
  [ -n "$child_pid" ] || child_pid=$(unix_pid "$child_re")
  if [ -n "$tessora_pid" ] && [ -n "$child_pid" ]; then
    now=$(date +%s.%N)
    a=$(ticks "$tessora_pid") b=$(ticks "$child_pid")
    # The minute starts once the child has settled; it ends with the last sample
    # taken while both still run.
    if [ -z "$t0" ]; then
      sleep 1; t0=$(date +%s.%N); tessora0=$(ticks "$tessora_pid"); child0=$(ticks "$child_pid")
    elif [ -d "/proc/$tessora_pid" ] && [ -d "/proc/$child_pid" ] && awk -v n="$now" -v s="$t0" -v d="$seconds" 'BEGIN { exit !(n - s <= d) }'; then
      t1=$now tessora1=$a child1=$b
    fi
    h=$(hwm_kib "$tessora_pid"); [ -n "$h" ] && [ "$h" -gt "$tessora_hwm" ] && tessora_hwm=$h
    h=$(hwm_kib "$child_pid"); [ -n "$h" ] && [ "$h" -gt "$child_hwm" ] && child_hwm=$h
  fi
  sleep 0.5
done
wait "$probe_pid" || true
echo -n "children started: "
grep -c 'event=start mode=screen' "$stay_log" || true
hz=$(getconf CLK_TCK)
# Wine answers GetProcessTimes for another process with more than Linux counts for
# that process; Linux's count is the one in the table.
awk '$1 == "cpu" { printf "Tessora CPU time as Wine reports it (GetProcessTimes): user %.0f ms, kernel %.0f ms over the run\n", $2, $3 }
     $1 == "peak_working_set" { printf "Tessora peak working set (GetProcessMemoryInfo): %.1f MiB\n", $2 / 1048576 }' "$work/stay.txt"

echo
echo "== Figures beside their baselines (this machine, Wine, x86_64 build)"
first=$(median <"$work/first.values") direct=$(median <"$work/direct.values") gap=$(median <"$work/gap.values")
awk -v first="$first" -v direct="$direct" -v gap="$gap" -v n="$starts" \
    -v t0="$t0" -v t1="$t1" -v ta="$tessora0" -v tb="$tessora1" -v ca="$child0" -v cb="$child1" -v hz="$hz" \
    -v th="$tessora_hwm" -v ch="$child_hwm" -v rh="$rotation_hwm" 'BEGIN {
  ratio = "%.2f"
  printf "| figure | Tessora | baseline | ratio |\n|---|---|---|---|\n"
  if (first != "" && direct != "")
    printf "| `/s` to the first child window (median of %d) | %.0f ms | Aurora.scr `/s` to its window: %.0f ms | " ratio " (Tessora'"'"'s share %.0f ms) |\n", n, first, direct, first / direct, first - direct
  floor = 100 + 100 + 100 + direct
  if (gap != "" && direct != "")
    printf "| gap between children (median) | %.0f ms | design floor: 100 + 100 ms close pass + 100 ms restart + %.0f ms own start = %.0f ms | " ratio " |\n", gap, direct, floor, gap / floor
  if (t0 != "" && t1 != "" && t1 > t0) {
    span = t1 - t0; tc = (tb - ta) / hz / span * 100; cc = (cb - ca) / hz / span * 100
    printf "| CPU while one child runs (%.0f s), share of one core | %.2f %% | the child (Aurora) in the same time: %.2f %% | ", span, tc, cc
    if (cc > 0) printf ratio " |\n", tc / cc; else printf "- |\n"
  }
  if (th > 0 && ch > 0)
    printf "| peak resident memory | %.1f MiB (%.1f MiB in the rotation) | the child (Aurora): %.1f MiB | " ratio " |\n", th / 1024, rh / 1024, ch / 1024, th / ch
}'
