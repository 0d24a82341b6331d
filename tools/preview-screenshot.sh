#!/usr/bin/env bash
# Takes the picture of the preview running in the stand-in settings dialog (docs/preview.png).
# The preview runs inside the dialog's own process, where Wine shows its drawing.
#
#   tools/preview-screenshot.sh BUILD_DIR [OUTPUT.png] [SECONDS]
set -euo pipefail

build=${1:?usage: preview-screenshot.sh BUILD_DIR [OUTPUT.png] [SECONDS]}
out=${2:-docs/preview.png}
wait=${3:-3.2}
here=$(cd "$(dirname "$0")" && pwd)
arch=win32
# A build for 64-bit Windows runs under 64-bit Wine.
if file "$build/vorlux_settings_host.exe" | grep -q 'PE32+'; then arch=win64; fi
run="$here/winerun.sh --root $build/wine --arch $arch"

$run up >/dev/null 2>&1 </dev/null
eval "$($run env)"
# The default settings: black background, random colours.
"$WINE" reg delete 'HKCU\Software\Vorlux Screen Saver' /f >/dev/null 2>&1 || true
"$WINE" "$build/vorlux_settings_host.exe" --in-process --close-after "$(echo "$wait + 3" | bc)" \
  </dev/null >/dev/null 2>&1 &
sleep "$wait"
geometry=$(xdotool search --name "Display Properties" getwindowgeometry)
pos=$(sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1+\2/p' <<<"$geometry")
size=$(sed -n 's/.*Geometry: \([0-9]*x[0-9]*\).*/\1/p' <<<"$geometry")
import -window root -crop "$size+$pos" +repage -strip "$out"
wait
echo "$out: $size"
