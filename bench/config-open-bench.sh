#!/usr/bin/env bash
# Measures, under Wine (x86_64 build), the time from "Tessora.scr /c" to the settings
# dialog shown with every row of its list, for a set of 5,000 entries and, in the same
# run and taken in turns, a set of 10 entries. Not a test: it prints figures.
# TESSORA_BENCH_RUNS (5) sets the number of runs of each size.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build="$root/build/windows64"
work="$build/bench-config"
runs=${TESSORA_BENCH_RUNS:-5}

cmake --preset windows64 >/dev/null
cmake --build "$build" -j2 --target Tessora demosavers >/dev/null
mkdir -p "$work/small" "$work/large"
x86_64-w64-mingw32-g++ -std=c++20 -O2 -Wall -Wextra -Werror -municode -static -s \
  -o "$work/config_open_probe.exe" bench/ConfigOpenProbe.cpp -lcomctl32
winpath() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }
saver=$(winpath "$build/tools/demosaver/Aurora.scr")
write_ini() {  # write_ini FOLDER ROWS: one set of ROWS entries, all naming a saver that exists
  {
    printf '[SetList]\r\nCount=1\r\nCurrent=0\r\nItem0=bench\r\n[Set0]\r\n'
    for ((i = 0; i < $2; i++)); do printf 'Saver%d="%s",%d,2\r\n' "$i" "$saver" $((i % 90)); done
  } >"$1/Tessora.ini"
}
cp "$build/Tessora.scr" "$work/small/"
cp "$build/Tessora.scr" "$work/large/"
write_ini "$work/small" 10
write_ini "$work/large" 5000

started_session=0
[ -f "$build/wine-session.env" ] || started_session=1
bash scripts/wine start "$build" >/dev/null
trap '[ "$started_session" = 1 ] && bash scripts/wine stop "$build" >/dev/null' EXIT

small=() large=()
for ((r = 0; r < runs; r++)); do
  small+=("$(bash scripts/wine run "$build" "$work/config_open_probe.exe" "$(winpath "$work/small/Tessora.scr")" 10 1 | tr -d '\r')")
  large+=("$(bash scripts/wine run "$build" "$work/config_open_probe.exe" "$(winpath "$work/large/Tessora.scr")" 5000 1 | tr -d '\r')")
done
median() { printf '%s\n' "$@" | grep -v timeout | sort -n | awk '{ v[NR] = $1 } END { if (NR) print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2); else print "none" }'; }
ms=$(median "${small[@]}") ml=$(median "${large[@]}")
echo "runs of each: $runs"
echo "10 entries:    ${small[*]} ms, median $ms ms"
echo "5,000 entries: ${large[*]} ms, median $ml ms"
if [ "$ms" != none ] && [ "$ml" != none ]; then
  echo "5,000 opens $((ml - ms)) ms later than 10 (the bound is 500 ms)"
fi
