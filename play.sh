#!/usr/bin/env bash
# Builds the game and the data it runs with (installing missing packages
# first) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
# The program's target brings the standard deck, Cell.jpg and the rules
# beside it; tests and benchmarks are left to ./test.sh.
tools/setup.sh VekSolitaire
if [ -x build/bin/VekSolitaire ]; then
  exec build/bin/VekSolitaire "$@"
fi
echo "build/bin/VekSolitaire was not built: see the build output above." >&2
exit 1
