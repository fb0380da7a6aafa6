#!/usr/bin/env bash
# Configures and builds the tree in build/ (Ninja, RelWithDebInfo).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja \
  -DCMAKE_BUILD_TYPE="${CMAKE_BUILD_TYPE:-RelWithDebInfo}" \
  -DKIVORA_WERROR="${KIVORA_WERROR:-OFF}" >/dev/null
cmake --build build -j "$(nproc)"
