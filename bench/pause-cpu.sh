#!/usr/bin/env bash
# Prints the CPU used by a process waiting 5 s in Pause under Wine, against a spinning wait
# that polls messages and the clock: the program's own CPU (measured inside) and the
# wineserver's (from /proc, over the same time). Needs the Windows build (cmake --build --preset
# win32, or win64 where 32-bit programs cannot run).
#   pause-cpu.sh [seconds, default 5] [pause|spin ...]
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/wine-procs.sh
wine_bench_up
seconds=${1:-5}
modes=("${@:2}")
[ ${#modes[@]} -gt 0 ] || modes=(pause spin)
for mode in "${modes[@]}"; do
  "$WINE" "$build/pause_cpu_win32.exe" "$mode" "$seconds" | while read -r line; do
    line=${line%$'\r'}
    case "$line" in
      waiting) before=$(cpu_ticks "$server") ;;
      done) after=$(cpu_ticks "$server") ;;
      *) awk -v l="$line" -v t="$((after - before))" -v hz="$hz" \
           'BEGIN { printf "%s; wineserver %.2f s CPU\n", l, t / hz }' ;;
    esac
  done
done
