#!/usr/bin/env bash
# Builds the desktop program and starts it. Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target pixlers -j "$(nproc)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != offscreen ]; then
  echo "No display found. To run the program on a virtual display:"
  echo "  xvfb-run -a -s '-screen 0 1600x1000x24' build/pixlers"
  echo "or start Xvfb yourself (Xvfb :99 -screen 0 1600x1000x24 &) and run: DISPLAY=:99 build/pixlers"
  exit 1
fi
exec build/pixlers "$@"
