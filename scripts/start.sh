#!/bin/sh
# Builds Dovra and starts it.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-packages.sh $(cat scripts/build-packages.txt)
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DDOVRA_BUILD_TESTS=OFF
cmake --build build-release -j "$(nproc)" --target dovra
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
    echo "No display here: run it anyway with 'xvfb-run build-release/app/dovra' (package xvfb) or 'QT_QPA_PLATFORM=vnc build-release/app/dovra' and a VNC viewer on port 5900." >&2
    exit 1
fi
exec build-release/app/dovra
