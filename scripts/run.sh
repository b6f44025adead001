#!/usr/bin/env bash
# Installs what is missing, builds everything, starts the simulated market on
# free loopback ports and the host terminal logged in to its demo account.
# Without a display it runs under Xvfb for a few seconds and saves a
# screenshot of the main window (PELMORA_EXIT_AFTER, PELMORA_SCREENSHOT).
# TESSRIN_LOGIN=SERVER,USER,PASSWORD logs in to another account.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
build=${TESSRIN_BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"

# The market: it picks free ports and writes them to the ports file.
run_dir=$(mktemp -d /tmp/tessrin-run-XXXXXX)
sim_pid=""
stop_market() {
    if [ -n "$sim_pid" ]; then
        kill "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
    fi
    rm -rf "$run_dir"
}
trap stop_market EXIT
"$build"/bin/simmarketd --ports-file "$run_dir/ports.json" >"$run_dir/simmarketd.log" 2>&1 &
sim_pid=$!
for _ in $(seq 100); do
    [ -s "$run_dir/ports.json" ] && break
    kill -0 "$sim_pid" 2>/dev/null || { cat "$run_dir/simmarketd.log"; echo "simmarketd did not start"; exit 1; }
    sleep 0.1
done
[ -s "$run_dir/ports.json" ] || { echo "simmarketd gave no ports in time"; exit 1; }
ports=$(cat "$run_dir/ports.json")
port() { sed -n "s/.*$1.*/\\1/p" <<<"$ports"; }
trade1=$(port '"trade":\[\([0-9]*\),[0-9]*\]')
trade2=$(port '"trade":\[[0-9]*,\([0-9]*\)\]')
md=$(port '"md":\([0-9]*\)')
http=$(port '"http":\([0-9]*\)')
echo "simmarketd: trade $trade1, $trade2, market data $md, http $http"

# The plug-in reads its server list and data files from the host's data
# folder; the build installs the data files into $build/bin/config.
data_dir=${PELMORA_DATA_DIR:-$build/bin}
mkdir -p "$data_dir/config"
if [ -d "$build/bin/config" ] && [ "$(realpath "$data_dir")" != "$(realpath "$build/bin")" ]; then
    cp -r "$build/bin/config/." "$data_dir/config/"
fi
sed -e "s/@TRADE1_PORT@/$trade1/g" -e "s/@TRADE2_PORT@/$trade2/g" -e "s/@MD_PORT@/$md/g" \
    -e "s/@HTTP_PORT@/$http/g" plugins/tessrin/frame/Tessrin.con.in >"$data_dir/config/Tessrin.con"

login=(--login "${TESSRIN_LOGIN:-Demo,demo,demo123}")
export GDK_BACKEND=x11 GDK_GL=disable NO_AT_BRIDGE=1
if [ -n "${DISPLAY:-}" ]; then
    PELMORA_DATA_DIR="$data_dir" "$build"/bin/pelmora "${login[@]}" "$@"
    exit
fi
shot=${PELMORA_SCREENSHOT:-$build/pelmora-screenshot.png}
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS || true
PELMORA_DATA_DIR="$data_dir" xvfb-run -a -s "-screen 0 1600x1000x24" "$build"/bin/pelmora \
    "${login[@]}" --exit-after "${PELMORA_EXIT_AFTER:-5}" --screenshot "$shot" "$@"
echo "screenshot: $shot"
