#!/usr/bin/env bash
# The Debian package and the portable archive: the program folder under
# /opt/telm-transfer, the commands on the path, the desktop entry and icons,
# the dependencies; the archive holds the program folder alone.
#   package_contents.sh BUILD_DIR
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -B "$out" > "$out/cpack.log") || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/telm-transfer_*_*.deb)
contents=$(dpkg-deb -c "$deb" | awk '{print $6, $7, $8}' | sed 's/ *$//')
for path in ./opt/telm-transfer/telm-transfer ./opt/telm-transfer/telmtool \
            ./opt/telm-transfer/Help.hlp ./opt/telm-transfer/Blanki/Checks.txt \
            ./opt/telm-transfer/Data/ ./usr/share/applications/telm-transfer.desktop \
            ./usr/share/icons/hicolor/scalable/apps/telm-transfer.svg \
            ./usr/share/icons/hicolor/48x48/apps/telm-transfer.png \
            "./usr/bin/telm-transfer -> /opt/telm-transfer/telm-transfer" \
            "./usr/bin/telmtool -> /opt/telm-transfer/telmtool"; do
    grep -qxF "$path" <<< "$contents" || { echo "not in the package: $path"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6concurrent6 libqt6widgets6 libqt6printsupport6 libpugixml1v5 qt6-translations-l10n qt6-qpa-plugins; do
    grep -q "$needed" <<< "$depends" || { echo "no dependency on $needed"; exit 1; }
done
archive=$(tar tzf "$out"/telm-transfer-*.tar.gz)
for path in telmtool telm-transfer Help.hlp Blanki/Checks.txt Blanki/Accounts.txt Data/; do
    grep -qE "^[^/]+/$path\$" <<< "$archive" || { echo "not in the archive: $path"; exit 1; }
done
if grep -q "usr/share" <<< "$archive"; then echo "desktop files in the archive"; exit 1; fi
echo "$(basename "$deb") and the archive hold what they should"
