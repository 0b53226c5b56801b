#!/usr/bin/env bash
# Builds everything (installing missing packages first) and starts the game.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
if [ -x build/bin/VekSolitaire ]; then
  exec build/bin/VekSolitaire "$@"
fi
echo "Everything is built, but the game program is not there yet: so far the card library, its tests and benchmarks exist."
