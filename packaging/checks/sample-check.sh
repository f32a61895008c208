#!/usr/bin/env bash
# The folder check finds in the sample world exactly the odd cases it holds on purpose,
# as sample/generate.py --findings names them.
set -euo pipefail
cli=$1 sample=$2
command -v python3 >/dev/null || { echo "python3 is not installed"; exit 77; }
status=0
report=$("$cli" check "$sample/items" --msg-dir "$sample/files") || status=$?
echo "$report"
found=$(sed -n 's/^\([^:]*\): [a-z]*: .* \[\([a-z-]*\)\]$/\1 \2/p' <<<"$report" | LC_ALL=C sort)
expected=$(python3 "$sample/generate.py" --findings | LC_ALL=C sort)
if [ "$found" != "$expected" ]; then
  echo "the check's findings differ from those the sample holds on purpose:"
  diff <(echo "$expected") <(echo "$found") || true
  exit 1
fi
[ "$status" -eq 0 ] || { echo "the check failed on the sample (exit status $status)"; exit 1; }
