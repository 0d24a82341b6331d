# Shell helpers for benchmarks: the Wine prefix of the Windows build and the Linux processes
# behind it.

# Brings up the prefix and display of the Windows build ($BUILD, default build/<preset>) and takes
# their environment. Sets preset, build, server (wineserver's PID) and hz (clock ticks a second).
wine_bench_up() {
  preset=$(bash tools/windows-preset.sh)
  build=${BUILD:-build/$preset}
  local runner=(tools/winerun.sh --root "$build/wine" --arch "$preset"
                --keeper "$build/vorlux_keeper.exe")
  "${runner[@]}" up
  eval "$("${runner[@]}" env)"
  server=$(wineserver_pid)
  hz=$(getconf CLK_TCK)
}

# PID of the wineserver that serves $WINEPREFIX (its working directory is named after the
# prefix's device and inode).
wineserver_pid() {
  local dir pid
  dir="server-$(stat -c %D "$WINEPREFIX")-$(printf %x "$(stat -c %i "$WINEPREFIX")")"
  for pid in $(pgrep wineserver); do
    case "$(readlink "/proc/$pid/cwd" 2>/dev/null)" in */"$dir") echo "$pid"; return 0 ;; esac
  done
  return 1
}

# PID of the X server that serves $DISPLAY (Xvfb, or Xorg for the two-monitor display).
xserver_pid() { pgrep -x -f "(Xvfb|[^ ]*/Xorg) $DISPLAY .*" | head -n 1; }

# User + system CPU ticks of a process (0 when it is gone).
cpu_ticks() {
  [ -n "${1:-}" ] && [ -r "/proc/$1/stat" ] || { echo 0; return; }
  # The command name may hold blanks: count fields after its closing parenthesis.
  sed 's/^.*) //' "/proc/$1/stat" | awk '{print $12 + $13}'
}

# PID of a process of $WINEPREFIX whose command line matches the pattern (the newest of them).
wine_pid() {
  local pid found="" prefix="WINEPREFIX=$WINEPREFIX"
  for pid in $(pgrep -f "$1"); do
    tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null | grep -qxF "$prefix" && found=$pid
  done
  echo "$found"
  [ -n "$found" ]
}
