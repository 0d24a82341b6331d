#!/usr/bin/env bash
# Figures of the setup dialog under Wine: time from starting "SSVorlux.scr /C" to the dialog on
# the screen (median of 10 runs), then the CPU of the dialog left idle for 10 s (program and
# wineserver, from /proc) beside a spinning wait's over the same time. SETUP_PROGRAM names
# another program to start with /C in its place. Needs the Windows build (cmake --build --preset
# win32, or win64 where 32-bit programs cannot run).
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/wine-procs.sh
wine_bench_up
program=${SETUP_PROGRAM:-$build/SSVorlux.scr}
seconds=10

"$WINE" "$build/setup_start_win32.exe" 10 "$seconds" "$("$WINE" winepath -w "$program")" |
  while read -r line; do
    line=${line%$'\r'}
    case "$line" in
      ready)
        dialog=$(wine_pid "$(basename "$program") /C")
        d0=$(cpu_ticks "$dialog"); w0=$(cpu_ticks "$server") ;;
      measured)
        d=$(($(cpu_ticks "$dialog") - d0)); w=$(($(cpu_ticks "$server") - w0))
        awk -v d="$d" -v w="$w" -v hz="$hz" -v s="$seconds" 'BEGIN {
          printf "dialog idle %d s: %.3f s CPU of the program (%.1f%% of one core); ", s, d / hz,
                 100 * d / hz / s
          printf "wineserver %.3f s CPU\n", w / hz }' ;;
      *) echo "$line" ;;
    esac
  done
bash bench/pause-cpu.sh "$seconds" spin  # a spinning wait beside it
