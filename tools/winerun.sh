#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix on a private Xvfb display.
#
#   winerun.sh --root DIR [--arch win32|win64] [--keeper EXE] [run] PROGRAM [ARGS...]   run a program, exit with its code
#   winerun.sh --root DIR [--keeper EXE] up                         start display, prefix and daemons
#   winerun.sh --root DIR down                                      stop everything started under DIR
#   winerun.sh --root DIR env                                       print the environment to use
#
# VORLUX_SCREEN picks the screen: 1024x768 (the default) or 1280x1024 on Xvfb, or dual: a 1024x768
# primary with an 800x600 monitor on its left, at (-800,0)-(0,600), on Xorg with the dummy video
# driver (Xvfb cannot place two monitors side by side; Xorg has to be started as root). Each screen
# has its own prefix and display under DIR. The display number is derived from DIR, so two build
# trees on one machine do not share a display.
set -euo pipefail

root="" keeper="" arch=win32
while [ $# -gt 0 ]; do
  case "$1" in
    --root) root=$2; shift 2 ;;
    --arch) arch=$2; shift 2 ;;
    --keeper) keeper=$2; shift 2 ;;
    *) break ;;
  esac
done
[ -n "$root" ] || { echo "winerun: --root is required" >&2; exit 2; }
cmd=run
case "${1:-}" in up|down|env|run) cmd=$1; shift ;; esac

screen=${VORLUX_SCREEN:-1024x768}
case "$screen" in
  1024x768) idx=0 ;;
  1280x1024) idx=1 ;;
  dual) idx=2 ;;
  *) echo "winerun: unsupported VORLUX_SCREEN '$screen'" >&2; exit 2 ;;
esac
mkdir -p "$root"
root=$(cd "$root" && pwd)
base=$(( ($(printf '%s %s' "$root" "$arch" | cksum | cut -d' ' -f1) % 3000) * 2 + 100 ))
disp=$(( base + idx ))
state="$root/$screen"

case "$arch" in
  win32) wine=wine ;;
  # For 64-bit builds on machines that cannot run 32-bit programs: Debian's `wine` script picks
  # the 32-bit loader whenever it is installed, so the 64-bit one is named here.
  win64) wine=/usr/lib/wine/wine64; export WINELOADER=$wine ;;
  *) echo "winerun: unsupported --arch '$arch'" >&2; exit 2 ;;
esac
export WINEPREFIX="$state/prefix" WINEARCH=$arch WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export DISPLAY=":$disp"

alive() { [ -f "$1" ] && kill -0 "$(cat "$1")" 2>/dev/null; }

# Two dummy screens joined by Xinerama: head 0, the primary, and the smaller one left of it.
dual_config() {
  cat <<'CONF'
Section "ServerFlags"
  Option "Xinerama" "true"
  Option "AutoAddDevices" "false"
  Option "AllowMouseOpenFail" "true"
  Option "DontVTSwitch" "true"
EndSection
Section "Monitor"
  Identifier "M"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
  Modeline "1024x768" 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync
  Modeline "800x600" 40.00 800 840 968 1056 600 601 605 628 +hsync +vsync
EndSection
Section "Device"
  Identifier "D0"
  Driver "dummy"
  VideoRam 64000
EndSection
Section "Device"
  Identifier "D1"
  Driver "dummy"
  VideoRam 64000
EndSection
Section "Screen"
  Identifier "S0"
  Device "D0"
  Monitor "M"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "1024x768"
    Virtual 1024 768
  EndSubSection
EndSection
Section "Screen"
  Identifier "S1"
  Device "D1"
  Monitor "M"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "800x600"
    Virtual 800 600
  EndSubSection
EndSection
Section "ServerLayout"
  Identifier "L"
  Screen 0 "S0" 800 0
  Screen 1 "S1" 0 0
EndSection
CONF
}

start_display() {
  local server=xvfb
  [ "$screen" = dual ] && server=xorg
  alive "$state/$server.pid" && return 0
  # Wine keeps the monitors it found for as long as its server runs: one that outlived the dual
  # display would show the programs on the new one a single monitor.
  if [ $server = xorg ] && [ -d "$WINEPREFIX" ]; then wineserver -k 9>&- 2>/dev/null || true; fi
  if [ -e "/tmp/.X$disp-lock" ]; then
    local owner; owner=$(tr -d ' ' < "/tmp/.X$disp-lock" 2>/dev/null || true)
    if [ -n "$owner" ] && kill -0 "$owner" 2>/dev/null; then
      echo "winerun: display :$disp is held by process $owner" >&2; exit 3
    fi
    rm -f "/tmp/.X$disp-lock" "/tmp/.X11-unix/X$disp"
  fi
  if [ $server = xorg ]; then
    # -noreset: the server would otherwise clear the screen and centre the pointer each time its
    # last client leaves. It shares the console's terminal and never switches away from it.
    dual_config > "$state/xorg.conf"
    Xorg ":$disp" -noreset -nolisten tcp -dpi 96 -config "$state/xorg.conf" -logfile "$state/xorg.log" \
      -novtswitch -sharevts 9>&- </dev/null >"$state/xorg.out" 2>&1 &
  else
    Xvfb ":$disp" -screen 0 "${screen}x24" -nolisten tcp -dpi 96 9>&- </dev/null >"$state/xvfb.log" 2>&1 &
  fi
  echo $! > "$state/$server.pid"
  for _ in $(seq 100); do
    [ -S "/tmp/.X11-unix/X$disp" ] && return 0
    alive "$state/$server.pid" || break
    sleep 0.1
  done
  echo "winerun: $server on :$disp did not start" >&2
  if [ $server = xorg ]; then cat "$state/xorg.out" >&2; else cat "$state/xvfb.log" >&2; fi
  exit 3
}

make_prefix() {
  [ -f "$state/prefix.ready" ] && return 0
  rm -rf "$WINEPREFIX"
  $wine wineboot -i 9>&- </dev/null >"$state/wineboot.log" 2>&1 || true
  $wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f 9>&- >/dev/null 2>&1
  $wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f 9>&- >/dev/null 2>&1
  if [ "$screen" = dual ]; then
    # Wine takes the monitors from Xinerama only with its XVidMode and XRandR handlers off;
    # otherwise programs see one monitor.
    $wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXVidMode /d N /f 9>&- >/dev/null 2>&1
    $wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f 9>&- >/dev/null 2>&1
  fi
  wineserver -w 9>&- || true
  touch "$state/prefix.ready"
}

start_daemons() {
  wineserver -p 9>&- </dev/null >/dev/null 2>&1 || true
  if [ -n "$keeper" ] && [ -f "$keeper" ] && ! alive "$state/keeper.pid"; then
    # The desktop process inherits the standard handles of the program that starts it: start
    # it here, detached from any caller's output pipe, before a test would.
    $wine "$keeper" --warm-up 9>&- </dev/null >/dev/null 2>&1 || true
    $wine "$keeper" 9>&- </dev/null >/dev/null 2>&1 &
    echo $! > "$state/keeper.pid"
  fi
}

up() {
  mkdir -p "$state"
  exec 9>"$state/lock"
  flock 9
  start_display
  make_prefix
  start_daemons
  exec 9>&-
}

down() {
  for dir in "$root"/*/; do
    # A prefix that failed to build still has its display and keeper to stop.
    [ -d "$dir/prefix" ] && { WINEPREFIX="$dir/prefix" wineserver -k 2>/dev/null || true; }
    for p in keeper xvfb xorg; do
      if alive "$dir/$p.pid"; then
        pid=$(cat "$dir/$p.pid")
        kill "$pid" 2>/dev/null || true
        # Xorg takes a second or two to close: the next up would find its display still held.
        [ $p = xorg ] && for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      fi
      rm -f "$dir/$p.pid"
    done
  done
}

case "$cmd" in
  up) up ;;
  down) down ;;
  env) printf 'export WINEPREFIX=%q WINEARCH=%q WINEDEBUG=-all DISPLAY=%q WINEDLLOVERRIDES=%q\n' \
         "$WINEPREFIX" "$arch" "$DISPLAY" "$WINEDLLOVERRIDES"
       # The loader to run programs with: $WINE (and Wine's own WINELOADER for the 64-bit one).
       printf 'export WINE=%q\n' "$wine"
       [ "$arch" = win32 ] || printf 'export WINELOADER=%q\n' "$wine" ;;
  run)
    [ $# -gt 0 ] || { echo "winerun: no program given" >&2; exit 2; }
    up
    exec $wine "$@"
    ;;
esac
