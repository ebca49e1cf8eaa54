#!/usr/bin/env bash
# Builds the demo and runs blitdemo-windowed in the folder that holds it and
# its data files, passing the arguments on (e.g. --headless ...).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
softblit_require_packages "${SOFTBLIT_DEMO_PACKAGES[@]}"

cmake -S . -B build/demo -G Ninja -DCMAKE_BUILD_TYPE=Release -DSOFTBLIT_BUILD_TESTS=OFF >/dev/null
cmake --build build/demo --target blitdemo-windowed blitdemo -j "$(nproc)"
cd build/demo/demo
exec ./blitdemo-windowed "$@"
