#!/usr/bin/env bash
# The inner loop: builds only the test program that holds the tests named by a pattern
# (in the dev preset, with the sanitizers) and runs those tests.
#   scripts/quick-test.sh TARGET [PATTERN]
#   scripts/quick-test.sh ui_test 'Browser\.'      # one suite of the window tests
#   scripts/quick-test.sh record_test              # every test of one program
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
if [ $# -lt 1 ]; then
  echo "usage: $0 TARGET [PATTERN]   (targets: cmake --build build/dev --target help)" >&2
  exit 2
fi
[ -f build/dev/build.ninja ] || cmake --preset dev >/dev/null
cmake --build build/dev --target "$1"
QT_QPA_PLATFORM=offscreen ctest --test-dir build/dev --output-on-failure -j2 -R "${2:-.}"
