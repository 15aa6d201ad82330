#!/usr/bin/env bash
# The whole test suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer, in a build folder of its own (build-asan, or
# $ASAN_BUILD_DIR). Run scripts/test.sh first: it installs what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ASAN_BUILD_DIR:-build-asan}
# --- Sanitizer pass (AddressSanitizer + UndefinedBehaviorSanitizer) -----------
# A second build folder with every target instrumented; the first error ends
# the test that met it. Leak reports are off: Qt's platform plugins keep
# allocations until exit, and they are no fault of ours.
asan_flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$asan_flags" -DCMAKE_C_FLAGS="$asan_flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build "$build" --parallel 2
(
  cd "$build"
  ASAN_OPTIONS=halt_on_error=1:detect_leaks=0:abort_on_error=0 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 2 --timeout 600
)
