#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
build=${TESSRIN_BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"

export LANG=C.UTF-8 GDK_BACKEND=x11 GDK_GL=disable NO_AT_BRIDGE=1
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS || true
cd "$build"
# GUI test programs bring their own display; this one is for the processes the
# other tests start. Without -noreset Xvfb resets whenever its last client
# leaves and drops a client that is connecting at that moment.
xvfb-run -a -s "-screen 0 1600x1000x24 -noreset" ctest --output-on-failure -j "$(nproc)" --timeout 300
