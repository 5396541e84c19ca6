#!/usr/bin/env bash
# Builds the page script fuzz target with clang and runs it a fixed number of
# times from a fixed seed, so that a run gives the same result every time.
#   scripts/fuzz.sh [runs]   (default 30000)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-30000}
scripts/deps.sh --test
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNIMBRA_FUZZ=ON \
  -DNIMBRA_TESTS=OFF -DNIMBRA_BENCH=OFF -DNIMBRA_SANITIZE=ON
cmake --build build-fuzz --target script_fuzz
work=build-fuzz/corpus
mkdir -p "$work"
cp -n tests/fuzz/corpus/* "$work"/
# Qt's hashes are seeded per process; a fixed seed keeps the runs alike.
QT_HASH_SEED=0 build-fuzz/tests/fuzz/script_fuzz -seed=1 -runs="$runs" -timeout=10 -max_len=8192 "$work"
