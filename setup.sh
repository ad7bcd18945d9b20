#!/usr/bin/env bash
# Installs what the program needs from Debian's packages (only what is missing), then
# configures and builds it in ./build.
set -euo pipefail
cd "$(dirname "$0")"

pakete=(build-essential cmake ninja-build git
        qt6-base-dev qt6-serialport-dev qt6-translations-l10n libgtest-dev libgmock-dev
        pkg-config libfluidsynth-dev libasound2-dev fluid-soundfont-gm)

fehlend=()
for p in "${pakete[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || fehlend+=("$p")
done
if [ ${#fehlend[@]} -gt 0 ]; then
    echo "Installiere: ${fehlend[*]}"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${fehlend[@]}"
fi

cmake -S . -B build -G Ninja ${ORX_CMAKE_ARGS:-} > build-configure.log 2>&1 || { cat build-configure.log; exit 1; }
cmake --build build -j "$(nproc)"
