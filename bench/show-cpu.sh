#!/usr/bin/env bash
# Figures of a running show under Wine at 1024x768: time from start to the first frame, CPU
# seconds of the program and of wineserver per second of show over 30 s, and frames per second.
# Needs the Windows build (cmake --build --preset win32, or win64 where
# 32-bit programs cannot run).
set -euo pipefail
cd "$(dirname "$0")/.."
preset=$(bash tools/windows-preset.sh)
build=${BUILD:-build/$preset}
seconds=${SHOW_SECONDS:-30}
export VORLUX_SCREEN=1024x768
runner=(tools/winerun.sh --root "$build/wine" --arch "$preset" --keeper "$build/vorlux_keeper.exe")
"${runner[@]}" up
eval "$("${runner[@]}" env)"
source bench/wine-procs.sh
server=$(wineserver_pid)
hz=$(getconf CLK_TCK)
"$WINE" "$build/show_win32.exe" "$seconds" 5 | while read -r line; do
  line=${line%$'\r'}
  case "$line" in
    ready)
      saver=$(pgrep -n -f 'SSVorlux.scr /S')
      s0=$(cpu_ticks "$saver"); w0=$(cpu_ticks "$server") ;;
    measured)
      s1=$(cpu_ticks "$saver"); w1=$(cpu_ticks "$server")
      awk -v s="$((s1 - s0))" -v w="$((w1 - w0))" -v hz="$hz" -v t="$seconds" 'BEGIN {
        printf "CPU per second of show: program %.3f s (%.1f%% of a core), wineserver %.3f s (%.1f%%)\n",
               s / hz / t, 100 * s / hz / t, w / hz / t, 100 * w / hz / t }' ;;
    *) echo "$line" ;;
  esac
done
