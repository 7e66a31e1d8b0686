#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that the program lands
# where a desktop finds it, with a valid menu entry and metainfo.
#   install_layout.sh BUILD_DIR
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

id=example.norvo.FirmwareUpgrade
for f in bin/norvo-firmware-upgrade share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/scalable/apps/$id.svg; do
  [ -e "$prefix/$f" ] || { echo "FAIL: $f not installed"; exit 1; }
done
for size in 16 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x$size/apps/$id.png"
  [ -e "$icon" ] || { echo "FAIL: no ${size}x$size icon"; exit 1; }
  # The theme trusts the folder's size: a PNG of another size shows blurred.
  dims="$(od -An -tu1 -j16 -N8 "$icon" | awk '{print $3 * 256 + $4 "x" $7 * 256 + $8}')"
  [ "$dims" = "${size}x$size" ] || { echo "FAIL: ${size}x$size icon is $dims"; exit 1; }
done
[ -x "$prefix/bin/norvo-firmware-upgrade" ] || { echo "FAIL: program not executable"; exit 1; }
grep -qx "Exec=norvo-firmware-upgrade" "$prefix/share/applications/$id.desktop" || { echo "FAIL: Exec line"; exit 1; }
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop" || { echo "FAIL: Icon line"; exit 1; }

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/$id.desktop"
else
  echo "desktop-file-validate not installed: entry not validated"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
else
  echo "appstreamcli not installed: metainfo not validated"
fi
echo "PASS: installed layout"
