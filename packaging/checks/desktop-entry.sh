#!/usr/bin/env bash
# The desktop entry passes desktop-file-validate (hints included in the output).
set -euo pipefail
command -v desktop-file-validate >/dev/null || { echo "desktop-file-validate is not installed"; exit 77; }
desktop-file-validate "$1"
