#!/usr/bin/env bash
# Sets up a Debian 12 machine (installing what is missing), builds SSVorlux.scr and runs the
# full-screen show under Wine.
#  - With an X display ($DISPLAY reachable): the show runs there until a key or click ends it.
#  - Without one: it runs on a private Xvfb for SHOW_SECONDS (default 45, one whole cycle),
#    saving a screenshot every 3 seconds into ./shots/, then ends it with a key press.
# Extra arguments are passed to the saver instead of /S (for example /C or /A).
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup-debian.sh
preset=$(bash tools/windows-preset.sh)
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)" --target SSVorlux vorlux_keeper
saver="$PWD/build/$preset/SSVorlux.scr"
args=("$@")
[ ${#args[@]} -gt 0 ] || args=(/S)
echo "built $saver ($(stat -c %s "$saver") bytes)"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  export WINEPREFIX="$PWD/build/run-saver/prefix-$preset" WINEARCH=$preset WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  mkdir -p "$(dirname "$WINEPREFIX")"
  wine=wine
  if [ "$preset" = win64 ]; then wine=/usr/lib/wine/wine64; export WINELOADER=$wine; fi
  [ -d "$WINEPREFIX" ] || "$wine" wineboot -i >/dev/null 2>&1
  echo "running on $DISPLAY: press a key or click to end the show"
  exec "$wine" "$saver" "${args[@]}"
fi

root="$PWD/build/run-saver/wine"
runner=(tools/winerun.sh --root "$root" --arch "$preset" --keeper "$PWD/build/$preset/vorlux_keeper.exe")
trap '"${runner[@]}" down >/dev/null 2>&1 || true' EXIT
"${runner[@]}" up
eval "$("${runner[@]}" env)"
shots="$PWD/shots"
mkdir -p "$shots"
rm -f "$shots"/show-*.png
seconds=${SHOW_SECONDS:-45}
echo "no X display: running the show on private display $DISPLAY for $seconds s"
"$WINE" "$saver" "${args[@]}" &
pid=$!
for ((t = 3; t <= seconds; t += 3)); do
  sleep 3
  kill -0 "$pid" 2>/dev/null || break
  import -window root "$shots/show-$(printf %03d "$t")s.png"
done
xdotool key shift 2>/dev/null || true
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
  echo "the saver did not end on a key press" >&2
  kill "$pid" 2>/dev/null || true
  exit 1
fi
wait "$pid" && code=0 || code=$?
echo "the saver ended with exit code $code; screenshots in $shots:"
ls "$shots"
