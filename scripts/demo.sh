#!/usr/bin/env bash
# Builds and runs the windowed demo.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
softblit_require_packages "${SOFTBLIT_BUILD_PACKAGES[@]}"

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DSOFTBLIT_WERROR=ON
cmake --build build/release -j "$(nproc)"
if [ ! -x build/release/demo/blitdemo-windowed ]; then
    echo "softblit: the demo is not built yet (the framework core is; see README)."
    exit 0
fi
cd build/release/demo && exec ./blitdemo-windowed
