#!/usr/bin/env bash
# Builds scripts/demo-pictures.cpp and draws the demo pictures and the rich-text
# explanation into demo-src/<subject>/Foto. Run it after changing the drawings,
# then scripts/make-demo.sh, and commit both folders.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -std=c++20 -O1 -fPIC scripts/demo-pictures.cpp -o "$work/demo-pictures" \
  $(pkg-config --cflags --libs Qt6Gui) -lgif -ljpeg
"$work/demo-pictures" demo-src
echo "pictures drawn into demo-src/*/Foto"
