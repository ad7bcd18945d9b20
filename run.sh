#!/usr/bin/env bash
# Builds the program and starts it. With --simulated-phone it starts the simulated phone
# first and points COM1 at it, in a settings file of its own.
set -euo pipefail
cd "$(dirname "$0")"
./setup.sh

if [ "${1:-}" = "--simulated-phone" ]; then
    shift
    link=/tmp/orx-phone
    ./build/tests/phonesim --link "$link" &
    sim=$!
    trap 'kill $sim 2>/dev/null || true' EXIT
    for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
    export ORX_EINSTELLUNGEN="${ORX_EINSTELLUNGEN:-$HOME/.config/ORX2000/ORX2000-simuliert.ini}"
    mkdir -p "$(dirname "$ORX_EINSTELLUNGEN")"
    # Keep the user's other choices in that file; only the port is fixed to the simulator.
    python3 - "$ORX_EINSTELLUNGEN" "$link" <<'PY' 2>/dev/null || printf '[Ports]\nCOM1=%s\n\n[Settings]\nComPort=1\n' "$link" > "$ORX_EINSTELLUNGEN"
import configparser, sys
pfad, link = sys.argv[1], sys.argv[2]
c = configparser.RawConfigParser(); c.optionxform = str
c.read(pfad)
for s in ("Ports", "Settings"):
    if not c.has_section(s): c.add_section(s)
c.set("Ports", "COM1", link); c.set("Settings", "ComPort", "1")
with open(pfad, "w") as f: c.write(f, space_around_delimiters=False)
PY
    ./build/orx "$@"
else
    exec ./build/orx "$@"
fi
