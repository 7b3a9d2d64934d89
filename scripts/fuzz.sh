#!/usr/bin/env bash
# The second check beside the README's two: fuzzes the readers of outside files
# with libFuzzer (clang), then runs the whole test suite once under
# AddressSanitizer and UndefinedBehaviorSanitizer.
#   scripts/fuzz.sh          each fuzzer for 30 seconds, then the sanitized tests
#   scripts/fuzz.sh 900      each fuzzer for 15 minutes, then the sanitized tests
#   TELM_FUZZ_ONLY=1 scripts/fuzz.sh 3600    the fuzzers only, an hour each
# A crash stops with the input saved beside the build; make it a fixture test.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
scripts/setup.sh --packages

fuzzbuild=${TELM_FUZZ_BUILD_DIR:-build-fuzz}
if [ ! -f "$fuzzbuild/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S . -B "$fuzzbuild" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTELM_BUILD_FUZZERS=ON -DTELM_BUILD_TESTS=OFF -DTELM_BUILD_BENCH=OFF
fi
targets=(rowset verify conditions roundtrip amount controls lockfile fillcsv csvwriter headertail
    trialbalance)
cmake --build "$fuzzbuild" -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

# Seeds: the shipped templates and conditions, the test fixtures, the committed
# corpus (saved data files and every input that once failed).
seeds=$(mktemp -d)
trap 'rm -rf "$seeds"' EXIT
mkdir -p "$seeds/xml" "$seeds/amount" "$seeds/controls" "$seeds/lockfile" "$seeds/fillcsv" \
    "$seeds/csvwriter" "$seeds/trialbalance"
cp data/Blanki/*.xml tests/*/fixtures/*.xml tests/fuzz/corpus/*.xml "$seeds/xml/"
cp tests/fuzz/corpus/amounts/* "$seeds/amount/"
cp data/Blanki/Checks.txt tests/fuzz/corpus/controls/* "$seeds/controls/"
cp tests/fuzz/corpus/lockfile/* "$seeds/lockfile/"
cp tests/fuzz/corpus/fillcsv/* "$seeds/fillcsv/"
cp tests/fuzz/corpus/csvwriter/* "$seeds/csvwriter/"
cp tests/fuzz/corpus/trialbalance/* "$seeds/trialbalance/"
crashes="$fuzzbuild/crashes"
mkdir -p "$crashes"
export ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1
for target in "${targets[@]}"; do
    corpus="$fuzzbuild/corpus/$target"
    mkdir -p "$corpus"
    input="$seeds/xml"
    case "$target" in amount | controls | lockfile | fillcsv | csvwriter | trialbalance) input="$seeds/$target" ;; esac
    echo "== fuzz_$target, $seconds s"
    "$fuzzbuild/fuzz/fuzz_$target" -max_total_time="$seconds" -rss_limit_mb=2048 \
        -max_len=65536 -timeout=10 -artifact_prefix="$crashes/$target-" \
        -print_final_stats=1 "$corpus" "$input" 2>&1 | grep -E "^(#.*DONE|stat::number_of_executed_units|==|SUMMARY|INFO: Seed)" || true
    if ls "$crashes/$target-"* > /dev/null 2>&1; then
        echo "fuzz_$target found a failing input: $(ls "$crashes/$target-"*)" >&2
        exit 1
    fi
done
[ -n "${TELM_FUZZ_ONLY:-}" ] && exit 0

# The tests under the sanitizers. Leaks inside Qt and fontconfig that live for
# the whole process are suppressed (tests/sanitizers/lsan.supp says why).
sanbuild=${TELM_SANITIZE_BUILD_DIR:-build-sanitize}
if [ ! -f "$sanbuild/CMakeCache.txt" ]; then
    # Unoptimised with line tables only: the quickest build that still names lines.
    cmake -S . -B "$sanbuild" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O0 -g1" \
        -DTELM_SANITIZE=ON -DTELM_BUILD_BENCH=OFF
fi
cmake --build "$sanbuild" -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:check_initialization_order=1
export LSAN_OPTIONS=suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:suppressions=$PWD/tests/sanitizers/ubsan.supp
cd "$sanbuild"
ctest --output-on-failure -j "$(nproc)" -E "^Style\\."
