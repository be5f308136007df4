#!/bin/sh
# Builds the .deb from a built tree and checks what a user would get from it: the three
# programs, desktop entry, icons, metainfo and man page, dependencies on the run-time
# packages, and programs that run from where the package puts them.
#   check-package.sh BUILD_DIR
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/tessaly_*_amd64.deb) || fail "no .deb made"
dpkg-deb -x "$deb" "$work/root"
root=$work/root/usr

for f in bin/tessaly bin/tessaly-shot bin/tessaly-anchors share/applications/tessaly.desktop \
         share/icons/hicolor/scalable/apps/tessaly.svg share/icons/hicolor/48x48/apps/tessaly.png \
         share/icons/hicolor/256x256/apps/tessaly.png share/man/man1/tessaly-shot.1 \
         share/metainfo/example.orvanel.Tessaly.metainfo.xml; do
    [ -e "$root/$f" ] || fail "missing /usr/$f"
done
grep -qx 'Exec=tessaly' "$root/share/applications/tessaly.desktop" || fail "desktop entry Exec"
grep -qx 'Icon=tessaly' "$root/share/applications/tessaly.desktop" || fail "desktop entry Icon"
grep -q '^Categories=Graphics;' "$root/share/applications/tessaly.desktop" || fail "desktop entry Categories"
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$root/share/metainfo/example.orvanel.Tessaly.metainfo.xml" >/dev/null ||
        fail "metainfo does not validate"
fi
man -l "$root/share/man/man1/tessaly-shot.1" 2>/dev/null | grep -q 'capture a whole web page' ||
    fail "man page does not render"

depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6webenginewidgets6 libqt6widgets6 libgif7 libjpeg62-turbo libtiff6 zlib1g qt6-qpa-plugins \
    qt6-image-formats-plugins; do
    echo "$depends" | grep -q "$p" || fail "Depends lacks $p: $depends"
done

version=$("$root/bin/tessaly-shot" --version 2>/dev/null) || fail "installed tessaly-shot does not run"
echo "$version" | grep -q '^tessaly-shot [0-9]' || fail "unexpected version: $version"
echo "package ok: $(basename "$deb")"
