#!/usr/bin/env bash
# Builds (installing what is missing) and starts TELM Transfer from the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
exec "${TELM_BUILD_DIR:-build}/program/telm-transfer" "$@"
