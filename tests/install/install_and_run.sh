#!/usr/bin/env bash
# The installed program folder: `cmake --install` into a temporary prefix lays
# out the same folder as build/program/ (and nothing of the desktop component),
# and telmtool run from there fills, verifies and checks a document beside itself.
#   install_and_run.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" > /dev/null
for item in telm-transfer telmtool Help.hlp Blanki/Checks.txt Blanki/Accounts.txt \
            Blanki/Conditions.xml Blanki/testdata_Bal.xml Data; do
    [ -e "$prefix/$item" ] || { echo "missing after install: $item"; exit 1; }
done
[ -z "$(ls -A "$prefix/Data")" ] || { echo "Data is not empty"; exit 1; }
[ ! -e "$prefix/usr" ] && [ ! -e "$prefix/share" ] || { echo "system folders in the program folder"; exit 1; }
diff <(cd "$build/program/Blanki" && ls) <(cd "$prefix/Blanki" && ls)

# From another folder, without --folder: the program folder is the installed one.
cd "$(mktemp -d)"
saved=$("$prefix/telmtool" fill --type Bal --bulstat 123456786 --company "Фирма ООД" \
        --year 2025 --month 12 --set 40:DocDta_Sum3=1000 --set 610:DocDta_Sum3=1000)
[ "$saved" = "$prefix/Data/VELDOR_Bal_123456786_2025_12.xml" ] || { echo "saved as $saved"; exit 1; }
"$prefix/telmtool" verify "$saved" | grep -q ": OK$"
"$prefix/telmtool" check "$saved" | grep -q "0 failed, 0 files refused"
"$prefix/telmtool" --version | grep -q "^telmtool [0-9]"
echo "installed into $prefix: fill, verify and check work from there"
