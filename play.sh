#!/usr/bin/env bash
# Builds everything (installing missing packages first) and starts the game.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
if [ -x build/bin/VekSolitaire ]; then
  exec build/bin/VekSolitaire "$@"
fi
echo "build/bin/VekSolitaire was not built: see the build output above." >&2
exit 1
