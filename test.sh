#!/usr/bin/env bash
# Builds everything (installing missing packages first) and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
