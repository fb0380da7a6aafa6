#!/usr/bin/env bash
# Installs what is missing, builds Kivora and starts it. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
./scripts/build.sh
exec ./build/bin/kivora "$@"
