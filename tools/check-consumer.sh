#!/usr/bin/env bash
# Installs a built tree into a private prefix and builds the outside projects
# (tests/consumer, and examples/ where present) against it with
# find_package(OrloDock), then runs the consumer headless.
#
#   tools/check-consumer.sh [BUILD_DIR]     (default: build/default)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
prefix=$PWD/build/install-check
rm -rf "$prefix" build/consumer
cmake --install "$build" --prefix "$prefix" >/dev/null
cmake -S tests/consumer -B build/consumer -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build build/consumer
QT_QPA_PLATFORM=offscreen build/consumer/orlodock_consumer
