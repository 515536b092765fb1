#!/usr/bin/env bash
# Builds the fuzz targets with clang (AddressSanitizer, UndefinedBehaviorSanitizer and
# libFuzzer) and runs each for SECONDS (default 120), seeded from fuzz/seeds/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-120}
bash "$root/scripts/setup.sh" fuzz
build="$root/build-fuzz"
flags="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined -g -O1"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DPAGORA_BUILD_FUZZ=ON -DPAGORA_BUILD_TESTS=OFF -DPAGORA_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" -j2 --target page_fuzzer image_fuzzer template_fuzzer zip_fuzzer
for target in page_fuzzer image_fuzzer template_fuzzer zip_fuzzer; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  echo "== $target for ${seconds}s"
  "$build/bin/$target" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
    -artifact_prefix="$build/" "$corpus" "$root/fuzz/seeds/$target" >"$build/$target.log" 2>&1 ||
    { tail -n 30 "$build/$target.log"; exit 1; }
  tail -n 1 "$build/$target.log"
done
