#!/usr/bin/env bash
# Builds the program and runs every test through CTest: widget tests on the
# offscreen platform, end-to-end tests on X servers that they start themselves.
set -euo pipefail
cd "$(dirname "$0")"
source tools/deps.sh

ensure_packages "${build_packages[@]}" "${display_packages[@]}" "${test_packages[@]}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
