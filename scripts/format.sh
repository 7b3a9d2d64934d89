#!/usr/bin/env bash
# Formats every C++ source of the project in place with the root .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z --cached --others --exclude-standard '*.cpp' '*.h' | xargs -0 clang-format -i
