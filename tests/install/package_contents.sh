#!/usr/bin/env bash
# Unpacks the Debian package into a scratch root and checks that its files are
# where a Debian desktop finds them, that its control data is complete, and
# that the packaged program answers --version.
#   package_contents.sh BUILD_DIR       packages that build with cpack first
#   package_contents.sh --deb FILE.deb  checks a package made elsewhere (scripts/package)
set -euo pipefail
for tool in dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool not installed"; exit 77; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
if [ "$1" = --deb ]; then
  deb="$2"
else
  (cd "$1" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; echo "FAIL: cpack"; exit 1; }
  deb="$(ls "$work"/out/*.deb)"
fi
fail() { echo "FAIL: $*"; exit 1; }

name=norvo-firmware-upgrade
arch="$(dpkg --print-architecture)"
version="$(dpkg-deb -f "$deb" Version)"
[ "$(basename "$deb")" = "${name}_${version}_${arch}.deb" ] || fail "file name $(basename "$deb")"
[ "$(dpkg-deb -f "$deb" Package)" = "$name" ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$arch" ] || fail "architecture"
[ "$(dpkg-deb -f "$deb" Section)" = net ] || fail "section"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no maintainer"
[ -n "$(dpkg-deb -f "$deb" Description)" ] || fail "no description"
depends="$(dpkg-deb -f "$deb" Depends)"
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libjpeg62-turbo libc6; do
  [[ "$depends" == *"$lib "* ]] || fail "Depends lacks $lib: $depends"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
id=example.norvo.FirmwareUpgrade
for f in usr/bin/$name usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/$id.svg usr/share/man/man1/$name.1.gz \
         usr/share/doc/$name/copyright usr/share/doc/$name/changelog.gz; do
  [ -f "$root/$f" ] || fail "$f not in the package"
done
for size in 16 24 32 48 64 128 256; do
  [ -f "$root/usr/share/icons/hicolor/${size}x$size/apps/$id.png" ] || fail "no ${size}x$size icon in the package"
done
[ -x "$root/usr/bin/$name" ] || fail "program not executable"
extra="$(cd "$root" && find . -type f | grep -v -e "^./usr/bin/$name\$" -e "^./usr/share/" || true)"
[ -z "$extra" ] || fail "unexpected files: $extra"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop entry"
fi

# The packaged program runs from its unpacked place, without a display.
answer="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/$name" --version)"
[ "$answer" = "$name $version" ] || fail "--version answered '$answer', not '$name $version'"
echo "PASS: $(basename "$deb")"
