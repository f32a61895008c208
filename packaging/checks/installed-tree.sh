#!/usr/bin/env bash
# Installs the build into a scratch root and checks that everything lands in its
# standard place and that AppStream finds the metainfo, desktop entry and icon together.
# Arguments: build folder, application id, icon sizes.
set -euo pipefail
build=$1 id=$2 sizes=$3
command -v appstreamcli >/dev/null || { echo "appstreamcli is not installed"; exit 77; }
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null

missing=0
expect() { [ -f "$root/usr/$1" ] || { echo "not installed: /usr/$1"; missing=1; }; }
expect bin/zantor
expect bin/zantor-cli
expect "share/applications/$id.desktop"
expect "share/metainfo/$id.metainfo.xml"
expect "share/icons/hicolor/scalable/apps/$id.svg"
for s in $sizes; do expect "share/icons/hicolor/${s}x${s}/apps/$id.png"; done
expect share/zantor/sample/files/pro_item.msg
expect share/zantor/sample/files/noArt.bmp
expect share/zantor/sample/items/ARMOR001.pro
[ "$missing" -eq 0 ]
appstreamcli validate-tree --no-net "$root"
