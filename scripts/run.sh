#!/usr/bin/env bash
# Installs what is missing, builds Nivara and starts it. Arguments are passed
# to the application (an optional file to open).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "${NIVARA_JOBS:-2}" --target nivara
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: starting under Xvfb." >&2
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" build/bin/nivara "$@"
fi
exec build/bin/nivara "$@"
