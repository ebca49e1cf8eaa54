#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan), writes their seed
# corpus and runs every target from its seeds, two at a time, each as one
# process. A crash, leak, timeout, out-of-memory or sanitizer report fails
# the run and prints the reproducer's bytes in hex.
#   FUZZ_SECONDS  time per target (30)
#   FUZZ_JOBS     targets at once (2)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
softblit_require_packages "${SOFTBLIT_BUILD_PACKAGES[@]}"

seconds=${FUZZ_SECONDS:-30}
jobs=${FUZZ_JOBS:-2}
build=build/fuzz
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang "${launcher[@]}" \
    -DSOFTBLIT_BUILD_FUZZ=ON -DSOFTBLIT_SANITIZE=ON -DSOFTBLIT_BUILD_TESTS=OFF -DSOFTBLIT_BUILD_DEMO=ON \
    >/dev/null
cmake --build "$build" --target softblit_fuzz_all -j "$(nproc)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/fuzz/fuzz_make_seeds" "$work/corpus"

targets=()
for program in "$build"/fuzz/fuzz_*; do
    name=${program##*/fuzz_}
    [ "$name" = make_seeds ] && continue
    targets+=("$name")
done

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# Runs one target; its log and any reproducer stay in $work/<name>.
run_target() {
    local name=$1
    mkdir -p "$work/$name/found" "$work/corpus/$name"
    if "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$work/$name/found/" "$work/corpus/$name" \
        >"$work/$name/log" 2>&1; then
        echo "fuzz_$name: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$work/$name/log" || echo done)," \
             "$(grep -o 'cov: [0-9]*' "$work/$name/log" | tail -1)"
        return 0
    fi
    echo "fuzz_$name: FAILED"
    grep -E 'ERROR|SUMMARY|runtime error' "$work/$name/log" | head -20 || true
    tail -40 "$work/$name/log"
    local found
    for found in "$work/$name/found"/*; do
        [ -f "$found" ] || continue
        echo "reproducer ${found##*/} ($(wc -c <"$found") bytes):"
        od -An -tx1 -v "$found"
    done
    return 1
}

failed=0
running=()
for name in "${targets[@]}"; do
    run_target "$name" &
    running+=($!)
    if [ ${#running[@]} -ge "$jobs" ]; then
        wait "${running[0]}" || failed=1
        running=("${running[@]:1}")
    fi
done
for pid in "${running[@]}"; do
    wait "$pid" || failed=1
done
if [ "$failed" -ne 0 ]; then
    echo "fuzzing found a fault"
    exit 1
fi
echo "fuzzing: ${#targets[@]} targets, ${seconds} s each, nothing found"
