#!/usr/bin/env bash
# The committed sample world is exactly what sample/generate.py makes.
set -euo pipefail
sample=$1
command -v python3 >/dev/null || { echo "python3 is not installed"; exit 77; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
python3 "$sample/generate.py" --out "$out"
if ! diff -r "$out/items" "$sample/items" || ! diff -r "$out/files" "$sample/files"; then
  echo "sample/ differs from what sample/generate.py makes: run it and commit the result"
  exit 1
fi
