#!/usr/bin/env bash
# Every item file of the sample world opens (zantor-cli show reads it as the editor
# does) and the item browser lists every one of them under its name.
set -euo pipefail
cli=$1 sample=$2
count=0 failed=0
for item in "$sample"/items/*; do
  count=$((count + 1))
  "$cli" show "$item" >/dev/null || { echo "cannot be read: $item"; failed=1; }
done
entries=$("$cli" list "$sample/items" --msg "$sample/files/pro_item.msg")
listed=$(wc -l <<<"$entries")
echo "$count item files, $listed listed"
[ "$listed" -eq "$count" ] || { echo "the browser does not list every sample item"; failed=1; }
if grep '^ - ' <<<"$entries"; then echo "these items have no name in pro_item.msg"; failed=1; fi
[ "$count" -gt 0 ] && [ "$failed" -eq 0 ]
