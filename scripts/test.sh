#!/bin/sh
# Builds Dovra with its tests and runs every test; then the picture tests once more under
# AddressSanitizer and UndefinedBehaviorSanitizer, since pictures come from anywhere.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-packages.sh $(cat scripts/build-packages.txt) libgtest-dev libgmock-dev
jobs="$(nproc)"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DDOVRA_SANITIZE=ON
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build-sanitize --output-on-failure -j "$jobs" -L pictures
