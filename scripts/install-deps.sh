#!/usr/bin/env bash
# Installs the Debian packages Tavel needs to build, test and run, when missing.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  libgif-dev libjpeg-dev libxlsxwriter-dev libfontconfig-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-dev
  fonts-dejavu-core
  poppler-utils unzip
  libxcb1-dev xvfb
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  # As root directly; otherwise through sudo, which drops the environment:
  # the variable travels with env.
  if [ "$(id -u)" -eq 0 ]; then
    as_root=(env DEBIAN_FRONTEND=noninteractive)
  elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo env DEBIAN_FRONTEND=noninteractive)
  else
    echo "install-deps.sh: these packages are missing: ${missing[*]}" >&2
    echo "install-deps.sh: installing them needs root or sudo, and neither is available here." >&2
    echo "install-deps.sh: ask an administrator to run: apt-get install ${missing[*]}" >&2
    exit 1
  fi
  "${as_root[@]}" apt-get update
  "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
