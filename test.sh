#!/usr/bin/env bash
# Installs what is missing, builds Kivora with its tests and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
KIVORA_WERROR=ON ./scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --timeout 300 -j "$(nproc)"
