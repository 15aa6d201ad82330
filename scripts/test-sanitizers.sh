#!/usr/bin/env bash
# The whole test suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then (when RUNS is given) every fuzz target for
# RUNS inputs from a fixed seed (fuzz/run with FUZZ_RUNS: the same inputs
# wherever it runs), all from one build folder (build-asan, or
# $ASAN_BUILD_DIR). With clang and libFuzzer (Debian: clang libclang-rt-dev)
# the folder is the fuzz build with the tests added: the instrumented
# libraries are compiled once for both passes. Without them, g++ builds the
# tests with the same sanitizers and the fuzz pass is skipped with a message.
# Run scripts/test.sh first: it installs what is missing.
# Usage: scripts/test-sanitizers.sh [RUNS]   (default 0: no fuzz pass)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ASAN_BUILD_DIR:-build-asan}
fuzz_runs=${1:-0}

# --- Build: every object instrumented -----------------------------------------
# The first error ends the test that met it. The bench programs are left out:
# they measure speed, which an instrumented build cannot tell.
# Optimised a little (-O1): the sanitizers' checks need no more, and the
# build takes much less time than at -O2.
common=(-S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O1 -DCMAKE_C_FLAGS_DEBUG=-O1
        -DTAVEL_BUILD_BENCH=OFF)
fuzzing=0
if command -v clang++ >/dev/null 2>&1; then
  cmake "${common[@]}" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTAVEL_FUZZ=ON
  grep -q '^TAVEL_HAVE_LIBFUZZER:INTERNAL=1' "$build/CMakeCache.txt" && fuzzing=1
fi
if [ "$fuzzing" -eq 0 ]; then
  if [ -f "$build/CMakeCache.txt" ] && grep -q '^CMAKE_CXX_COMPILER:.*clang' "$build/CMakeCache.txt"; then
    rm -rf "$build" # a clang folder cannot change its compiler
  fi
  asan_flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g1"
  cmake "${common[@]}" -DTAVEL_FUZZ=OFF \
    -DCMAKE_CXX_FLAGS="$asan_flags" -DCMAKE_C_FLAGS="$asan_flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined"
fi
cmake --build "$build" --parallel 2

# --- Sanitizer pass ---------------------------------------------------------------
# Leak reports are off: Qt's platform plugins keep allocations until exit,
# and they are no fault of ours.
(
  cd "$build"
  ASAN_OPTIONS=halt_on_error=1:detect_leaks=0:abort_on_error=0 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 2 --timeout 600
)

# --- Fuzz pass ----------------------------------------------------------------------
[ "$fuzz_runs" -gt 0 ] || exit 0
if [ "$fuzzing" -eq 0 ]; then
  echo "sanitizers: clang with libFuzzer is not installed (Debian: clang libclang-rt-dev); fuzz pass skipped"
  exit 0
fi
FUZZ_BUILD_DIR="$build" FUZZ_RUNS="$fuzz_runs" fuzz/run
