#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
#   scripts/test.sh            normal build in build/
#   scripts/test.sh --sanitize the same in build-asan/ with ASan and UBSan
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
extra=(-DNIMBRA_TESTS=ON -DNIMBRA_BENCH=ON)
only=()
if [ "${1:-}" = "--sanitize" ]; then
  build=build-asan
  # Line tables only and light optimisation: reports keep their file and
  # line, and the second full build costs much less time.
  extra=(-DNIMBRA_TESTS=ON -DNIMBRA_SANITIZE=ON -DNIMBRA_BENCH=OFF "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG")
  # The farthest service is met by the normal build; here it would only cost time.
  only=(-LE slow)
fi

scripts/deps.sh --test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNIMBRA_WERROR=ON "${extra[@]}"
cmake --build "$build"

# Window tests need an X server; web views run as root need these.
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-xcb}
# Leaks inside system libraries are not ours to fix.
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
# A failing test runs once more, so that a hiccup of the display (a client
# refused once) does not fail the run; a test that fails twice fails.
xvfb-run -a -s "-screen 0 1600x1000x24 -maxclients 1024" \
  ctest --test-dir "$build" --output-on-failure -j2 --repeat until-pass:2 "${only[@]}"
