#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it on a fresh copy
# of the demo installation folder (in ~/Tavel-demo; pass --home DIR to use
# another folder).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel 2 --target tavel tavel-base
if [ "$#" -eq 0 ]; then
  home="$HOME/Tavel-demo"
  rm -rf "$home"
  cp -r demo "$home"
  set -- --home "$home"
fi
exec "$build/src/app/tavel" "$@"
