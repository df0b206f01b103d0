#!/usr/bin/env bash
# Sets up what is missing, builds the release configuration and starts Quorix.
#   ./run.sh [graph files...]
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORIX_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --target quorix
exec build/release/src/shell/quorix "$@"
