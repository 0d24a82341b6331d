#!/usr/bin/env bash
# Prints the CPU used by a process waiting 5 s in Pause under Wine, against a spinning wait:
# the program's own CPU (from inside) and the wineserver's (from /proc, less a run that does
# not wait at all). Needs the win32 build: cmake --preset win32 && cmake --build --preset win32
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build/win32}
runner=(tools/winerun.sh --root "$build/wine" --keeper "$build/vorlux_keeper.exe")
"${runner[@]}" up
eval "$("${runner[@]}" env)"
source bench/wine-procs.sh
server_ticks() { cpu_ticks "$(wineserver_pid)"; }
hz=$(getconf CLK_TCK)
declare -A server
for mode in none pause spin; do
  before=$(server_ticks)
  wine "$build/pause_cpu_win32.exe" "$mode" 5 | tr -d '\r'
  after=$(server_ticks)
  server[$mode]=$((after - before))
done
for mode in pause spin; do
  awk -v m="$mode" -v t="${server[$mode]}" -v base="${server[none]}" -v hz="$hz" \
    'BEGIN { printf "%s: %.2f s CPU of wineserver over the 5 s wait\n", m, (t - base) / hz }'
done
