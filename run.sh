#!/usr/bin/env bash
# Installs what is missing, builds, imports the corpus and starts the reader.
# The corpus: $TEVAKA_CORPUS, else ../shared/corpus, else the sample corpus.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
corpus=${TEVAKA_CORPUS:-}
if [ -z "$corpus" ]; then
  if [ -d "$root/../shared/corpus/manifest" ]; then corpus="$root/../shared/corpus"
  else corpus="$root/sample/corpus"; fi
fi
"$root/build/bin/tevaka-import" --corpus "$corpus" --out "$root/build/bin"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: starting under Xvfb."
  exec xvfb-run -a -s "-screen 0 1600x1000x24" env QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu "$root/build/bin/tevaka" "$@"
fi
exec "$root/build/bin/tevaka" "$@"
