#!/usr/bin/env bash
# Configures and builds Pagora into build/ (Release with debug information).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPAGORA_BUILD_TESTS=ON -DPAGORA_BUILD_BENCH=ON >/dev/null
cmake --build "$root/build" -j2
