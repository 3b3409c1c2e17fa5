#!/usr/bin/env bash
# Installs a built tree into a private prefix and builds the outside projects
# (tests/consumer and every project in examples/) against it with
# find_package(OrloDock), then runs the consumer headless and starts each
# example once under Xvfb (headless when xvfb-run is missing) with
# --smoke-test: it shows its window, checks its docking and quits.
#
#   tools/check-consumer.sh [BUILD_DIR]     (default: build/default)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
prefix=$PWD/build/install-check
rm -rf "$prefix" build/consumer build/examples-check
cmake --install "$build" --prefix "$prefix" >/dev/null
cmake -S tests/consumer -B build/consumer -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build build/consumer
QT_QPA_PLATFORM=offscreen build/consumer/orlodock_consumer

for example in examples/*/; do
  name=$(basename "$example")
  out=build/examples-check/$name
  cmake -S "$example" -B "$out" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
  cmake --build "$out"
  program=$(find "$out" -maxdepth 1 -type f -executable -name 'orlodock_*' | head -n 1)
  # Settings of its own, so that a developer's saved layout plays no part.
  export XDG_CONFIG_HOME=$PWD/$out/settings
  if command -v xvfb-run >/dev/null; then
    QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" "$program" --smoke-test
  else
    QT_QPA_PLATFORM=offscreen "$program" --smoke-test
  fi
done
