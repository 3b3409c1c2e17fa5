#!/usr/bin/env bash
# Installs what is needed, then builds and runs the whole suite headless, in
# the normal configuration and under AddressSanitizer + UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
export QT_QPA_PLATFORM=offscreen
for preset in default asan; do
  echo "=== $preset ==="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
  if [ "$preset" = default ]; then
    echo "=== installed package, built from outside ==="
    bash tools/check-consumer.sh build/default
  fi
done
