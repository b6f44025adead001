#!/usr/bin/env bash
# Installs what is missing, builds everything and starts the host terminal.
# Without a display it runs under Xvfb for a few seconds and saves a
# screenshot of the main window (PELMORA_EXIT_AFTER, PELMORA_SCREENSHOT).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
build=${TESSRIN_BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"

if [ -x "$build"/bench/record_table_bench ]; then
    "$build"/bench/record_table_bench
fi

export GDK_BACKEND=x11 GDK_GL=disable NO_AT_BRIDGE=1
if [ -n "${DISPLAY:-}" ]; then
    exec "$build"/bin/pelmora "$@"
fi
shot=${PELMORA_SCREENSHOT:-$build/pelmora-screenshot.png}
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS || true
xvfb-run -a -s "-screen 0 1600x1000x24" "$build"/bin/pelmora \
    --exit-after "${PELMORA_EXIT_AFTER:-5}" --screenshot "$shot" "$@"
echo "screenshot: $shot"
