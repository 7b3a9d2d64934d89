#!/usr/bin/env bash
# Installs what is missing (as root), then configures and builds into build/.
# Safe to run again: nothing is installed twice and the build is incremental.
#   scripts/setup.sh --packages   installs what is missing, builds nothing
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make pkg-config qt6-base-dev libpugixml-dev libgtest-dev libgmock-dev
          fonts-dejavu-core clang-format poppler-utils clang libclang-rt-14-dev llvm-14
          python3 qt6-translations-l10n desktop-file-utils librsvg2-bin)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
    else
        echo "These packages are missing. Install them, then run this command again:"
        echo "  sudo apt-get install -y ${missing[*]}"
        exit 1
    fi
fi

if [ "${1:-}" = "--packages" ]; then
    exit 0
fi

build=${TELM_BUILD_DIR:-build}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build" -j "$(nproc)"
