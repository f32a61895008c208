#!/usr/bin/env bash
# Every item file of the sample world opens: zantor-cli show reads it as the editor does.
set -euo pipefail
cli=$1 sample=$2
count=0 failed=0
for item in "$sample"/items/*; do
  count=$((count + 1))
  "$cli" show "$item" >/dev/null || { echo "cannot be read: $item"; failed=1; }
done
echo "$count item files"
[ "$count" -gt 0 ] && [ "$failed" -eq 0 ]
