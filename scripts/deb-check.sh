#!/usr/bin/env bash
# Packs the release build as a Debian package into build/artifacts/ and checks it:
# its programs, desktop files and sample are inside, and its dependencies name the
# Qt libraries (found by dpkg-shlibdeps) and the Qt platform plugins.
# Usage: scripts/deb-check.sh [BUILD_DIR]   (default build/release, already built)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$here/build/release}"
out="$here/build/artifacts"
fail() { echo "package check failed: $*" >&2; exit 1; }

for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/setup.sh installs it)"
done
mkdir -p "$out"
rm -f "$out"/zantor_*.deb
(cd "$build" && cpack -G DEB -B "$out" >/dev/null) || fail "cpack -G DEB did not succeed"
rm -rf "$out/_CPack_Packages"
shopt -s nullglob
debs=("$out"/zantor_*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one zantor_*.deb in $out"
deb=${debs[0]}

depends="$(dpkg-deb -f "$deb" Depends)"
for dep in libqt6widgets6 libqt6core6 libstdc++6 qt6-qpa-plugins; do
  grep -q "\b$dep\b" <<<"$depends" || fail "Depends lacks $dep: $depends"
done
contents="$(dpkg-deb -c "$deb" | awk '{print $6}')"
for path in ./usr/bin/zantor ./usr/bin/zantor-cli ./usr/share/applications/net.morvale.Zantor.desktop \
  ./usr/share/metainfo/net.morvale.Zantor.metainfo.xml \
  ./usr/share/icons/hicolor/scalable/apps/net.morvale.Zantor.svg \
  ./usr/share/zantor/sample/files/pro_item.msg; do
  grep -qx "$path" <<<"$contents" || fail "$(basename "$deb") does not hold $path"
done
echo "$(basename "$deb"): Depends: $depends"
