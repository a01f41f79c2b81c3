#!/usr/bin/env bash
# Builds a libFuzzer target with clang and the address and undefined-behaviour
# sanitizers into build-fuzz/, then runs it for a bounded time.
#   scripts/fuzz.sh [seconds=600] [target=frf_template_fuzz]
# The corpus grows in build-fuzz/corpus/<target>, seeded from fuzz/corpus/<target>;
# a crash is written to build-fuzz/artifacts/ and the script fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds="${1:-600}"
target="${2:-frf_template_fuzz}"
LUMORIND_FUZZ=1 "$root/scripts/install-deps.sh"
build="${LUMORIND_FUZZ_BUILD_DIR:-$root/build-fuzz}"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMORIND_FUZZ=ON -DLUMORIND_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" --target "$target" --parallel "$(nproc)"
corpus="$build/corpus/${target%_fuzz}"
mkdir -p "$corpus" "$build/artifacts"
seeds="$root/fuzz/corpus/${target%_fuzz}"
[ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
export QT_QPA_PLATFORM=offscreen
"$build/fuzz/$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$build/artifacts/" -print_final_stats=1 "$corpus"
