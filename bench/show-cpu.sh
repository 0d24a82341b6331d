#!/usr/bin/env bash
# Figures of a running show under Wine, on one 1024x768 monitor and then on two (the same with an
# 800x600 monitor on its left): time from start to the first frame, CPU seconds of the program,
# of wineserver and of the X server per second of show over 30 s, and frames per second of each
# monitor; once with random colours and once with one fixed colour.
#   bash bench/show-cpu.sh [random|fixed ...]     (SHOW_SCREENS="1024x768 dual" by default)
# Needs the Windows build (cmake --build --preset win32, or win64 where
# 32-bit programs cannot run).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${SHOW_SECONDS:-30}
source bench/wine-procs.sh
modes=("$@")
[ ${#modes[@]} -gt 0 ] || modes=(random fixed)
for screen in ${SHOW_SCREENS:-1024x768 dual}; do
  export VORLUX_SCREEN=$screen
  wine_bench_up
  xserver=$(xserver_pid)
  for mode in "${modes[@]}"; do
    echo "-- $screen, $mode colours"
    "$WINE" "$build/show_win32.exe" "$seconds" 5 "$mode" | while read -r line; do
      line=${line%$'\r'}
      case "$line" in
        ready)
          saver=$(pgrep -n -f 'SSVorlux.scr /S')
          s0=$(cpu_ticks "$saver"); w0=$(cpu_ticks "$server"); x0=$(cpu_ticks "$xserver") ;;
        measured)
          s1=$(cpu_ticks "$saver"); w1=$(cpu_ticks "$server"); x1=$(cpu_ticks "$xserver")
          awk -v s="$((s1 - s0))" -v w="$((w1 - w0))" -v x="$((x1 - x0))" -v hz="$hz" -v t="$seconds" '
            function share(ticks) { return sprintf("%.3f s (%.1f%%)", ticks / hz / t, 100 * ticks / hz / t) }
            BEGIN { printf "CPU per second of show: program %s, wineserver %s, X server %s\n",
                           share(s), share(w), share(x) }' ;;
        *) echo "$line" ;;
      esac
    done
  done
done
