#!/usr/bin/env bash
# Takes the screenshots of the documentation: starts the simulated phone and the program on a
# virtual 1280x1024 screen (Xvfb), photographs the main window (docs/hauptfenster.png), then
# opens the windows of the navigation tree one by one for the gallery (docs/galerie/*.png).
# Needs the build (./setup.sh); installs Xvfb, xdotool and ImageMagick when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."

pakete=(xvfb xdotool imagemagick)
fehlend=()
for p in "${pakete[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || fehlend+=("$p")
done
if [ ${#fehlend[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${fehlend[@]}"
fi
[ -x build/orx ] && [ -x build/tests/phonesim ] || ./setup.sh

arbeit=$(mktemp -d)
pids=()
aufraeumen() {
    [ -n "${orx:-}" ] && { kill "$orx" 2>/dev/null || true; }
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$arbeit"
}
trap aufraeumen EXIT

# A display number that is free.
anzeige=90
while [ -e "/tmp/.X11-unix/X$anzeige" ] || [ -e "/tmp/.X$anzeige-lock" ]; do anzeige=$((anzeige + 1)); done
Xvfb ":$anzeige" -screen 0 1280x1024x24 -nolisten tcp > "$arbeit/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=":$anzeige"
for _ in $(seq 50); do xdotool getdisplaygeometry > /dev/null 2>&1 && break; sleep 0.1; done

link="$arbeit/phone"
build/tests/phonesim --link "$link" > "$arbeit/phonesim.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done

# Settings of their own: COM1 is the simulator, no tip of the day, no question at the end.
export ORX_EINSTELLUNGEN="$arbeit/ORX2000.ini"
export ORX_PROGRAMMORDNER="$arbeit/programm"
cat > "$ORX_EINSTELLUNGEN" <<EOF
[Ports]
COM1=$link

[Settings]
ComPort=1

[Options]
TippdesTages=0
Ausschalten=0
EOF
orx=""
fenster=""
starten() {  # starts the program and waits for its main window
    build/orx > "$arbeit/orx.log" 2>&1 &
    orx=$!
    fenster=""
    for _ in $(seq 100); do
        fenster=$(xdotool search --onlyvisible --name "Build" 2>/dev/null | head -1) && [ -n "$fenster" ] && break
        sleep 0.1
    done
    [ -n "$fenster" ] || { echo "Das Hauptfenster erschien nicht." >&2; cat "$arbeit/orx.log" >&2; exit 1; }
    sleep 1
}
beenden() {
    kill "$orx" 2>/dev/null || true
    wait "$orx" 2>/dev/null || true
}

aufnehmen() {  # window, file
    import -window "$1" "$2"
    echo "$2"
}

starten
aufnehmen "$fenster" docs/hauptfenster.png
beenden

# The tree's rows from the top, as the program builds it (every group open).
zeilen=(R Telefonbuch Nachrichten SMSlesen SMSsenden MelodienBitmap melodie bitmap bitmapeditor Organizer
        Einstellungen datum sprache umleitungen sperren Infos allgemeine Netze R3 R2 Settings about)
zeile_von() {
    for i in "${!zeilen[@]}"; do [ "${zeilen[$i]}" = "$1" ] && echo "$i" && return; done
}
# Rows of 18 px from y = 10 at the program's font; the spacer row "R3" is 13 px high.
klicken() {  # key of the node
    local i y
    i=$(zeile_von "$1")
    y=$((10 + i * 18))
    [ "$i" -gt 18 ] && y=$((y - 5))
    xdotool mousemove --window "$fenster" 60 "$y" click 1
}

# The gallery: a larger main window (1024 x 768 px), one program run per tool window.
printf '\n[Windows]\nMainW=15360\nMainH=11520\n' >> "$ORX_EINSTELLUNGEN"
mkdir -p docs/galerie
rm -f docs/galerie/*.png
# The phone book and the organizer read the phone on a button: "SIM" and "Einträge einlesen"
# (x,y in the main window, beside a tree panel of 203 px), so that their lists show data.
for eintrag in Telefonbuch:telefonbuch:283,61 SMSlesen:sms-lesen SMSsenden:sms-senden Organizer:organizer:412,42 \
               allgemeine:informationen Netze:netze datum:datum-uhr sprache:sprache umleitungen:umleitungen \
               sperren:sperren melodie:ruftoene bitmap:grafiken bitmapeditor:grafik-editor; do
    IFS=: read -r schluessel datei knopf <<< "$eintrag"
    starten
    klicken "$schluessel"
    sleep 3  # windows that read the phone when they open
    if [ -n "$knopf" ]; then
        xdotool mousemove --window "$fenster" "${knopf%,*}" "${knopf#*,}" click 1
        sleep 4
    fi
    aufnehmen "$fenster" "docs/galerie/$datei.png"
    beenden
done

# The two modal windows are windows of their own.
starten
for eintrag in "Settings:einstellungen:^Einstellungen$" "about:ueber:^ORX 2000$"; do
    IFS=: read -r schluessel datei titel <<< "$eintrag"
    klicken "$schluessel"
    sleep 1.5
    dialog=$(xdotool search --onlyvisible --name "$titel" 2>/dev/null | grep -v "^$fenster$" | tail -1 || true)
    if [ -n "$dialog" ]; then
        aufnehmen "$dialog" "docs/galerie/$datei.png"
        xdotool windowfocus "$dialog" 2>/dev/null || true
        xdotool key Escape
    fi
    sleep 0.5
done
beenden
