#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite headless.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
cd "$root/build"
ctest --output-on-failure --timeout 600 "$@"
