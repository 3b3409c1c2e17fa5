#!/usr/bin/env bash
# Installs what is needed, builds the demonstration application and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target orlodock_demo
exec ./build/release/demo/orlodock_demo "$@"
