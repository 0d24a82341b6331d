#!/usr/bin/env bash
# Installs what building and testing the saver needs on Debian 12.
# Safe to run again: it only installs what is missing.
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

need=()
pkgs=(cmake make g++ clang clang-format libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev
      python3 g++-mingw-w64-i686-win32 mingw-w64-tools wine wine32:i386 xvfb xdotool
      imagemagick x11-apps x11-utils procps xserver-xorg-core xserver-xorg-video-dummy)
for p in "${pkgs[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    need+=("$p")
  fi
done

if [ "${#need[@]}" -gt 0 ]; then
  echo "setup: installing ${need[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  $SUDO apt-get update -qq
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null
fi
# Wine runs 32-bit programs only where the kernel runs 32-bit Linux programs. Elsewhere the
# Windows build and its tests are made for 64-bit Windows and run under 64-bit Wine.
if [ "$(bash "$(dirname "$0")/windows-preset.sh")" = win64 ]; then
  need=()
  for p in wine64 g++-mingw-w64-x86-64-win32; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
  done
  if [ "${#need[@]}" -gt 0 ]; then
    echo "setup: this kernel cannot run 32-bit programs; installing ${need[*]}"
    $SUDO apt-get update -qq
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null
  fi
fi
echo "setup: all packages present"
