#!/bin/sh
# Builds Dovra in Release with its benchmarks and prints one table: every operation a collector
# does, through the real main window, for 100,000 and 1,000,000 caps (or the sizes given, e.g.
# "sh scripts/bench.sh --records 1000,10000 --runs 3").
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-packages.sh $(cat scripts/build-packages.txt)
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DDOVRA_BUILD_BENCH=ON -DDOVRA_BUILD_TESTS=OFF
cmake --build build-bench -j "$(nproc)" --target dovra_bench
build-bench/bench/dovra_bench "$@"
