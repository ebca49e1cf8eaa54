#!/usr/bin/env bash
# Builds softblit twice and runs every test in both builds:
#   build/release   g++, optimised, warnings as errors (also checks the
#                   installed package with the example consumer)
#   build/sanitize  clang, AddressSanitizer + UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
softblit_require_packages "${SOFTBLIT_BUILD_PACKAGES[@]}"

jobs=$(nproc)
# A compiler cache, where there is one, makes repeated runs cheap.
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc \
    -DSOFTBLIT_WERROR=ON -DSOFTBLIT_BUILD_BENCH=ON "${launcher[@]}"
cmake --build build/release -j "$jobs"

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
    -DSOFTBLIT_WERROR=ON -DSOFTBLIT_SANITIZE=ON "${launcher[@]}"
cmake --build build/sanitize -j "$jobs"

# The real-window tests draw on a private X server, stopped on exit. No
# message boxes: every text also goes to stderr.
xvfb_number=$(mktemp)
Xvfb -screen 0 1280x1024x24 -displayfd 3 -nolisten tcp 3>"$xvfb_number" 2>/dev/null &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; rm -f "$xvfb_number"' EXIT
for _ in $(seq 100); do [ -s "$xvfb_number" ] && break; sleep 0.1; done
if [ -s "$xvfb_number" ]; then export DISPLAY=":$(head -n 1 "$xvfb_number")"; else unset DISPLAY; fi
export SOFTBLIT_NO_DIALOGS=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
echo "== sanitizer build (clang, ASan + UBSan) =="
ctest --test-dir build/sanitize --output-on-failure -j "$jobs"
echo "== release build (g++) =="
ctest --test-dir build/release --output-on-failure -j "$jobs"
