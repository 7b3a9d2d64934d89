#!/usr/bin/env bash
# Builds (installing what is missing) and runs every test headless through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
cd "${TELM_BUILD_DIR:-build}"
ctest --output-on-failure -j "$(nproc)" "$@"
