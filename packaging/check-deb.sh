#!/usr/bin/env bash
# Installs a built Velmora .deb on this machine, starts both programs from their installed
# paths (the desktop program on a virtual display, through its desktop entry's command),
# then removes the package again. Needs root (or sudo), Xvfb and xdotool.
#
#   packaging/check-deb.sh build/release/velmora_1.0.0_amd64.deb
set -euo pipefail

deb=$(realpath "$1")
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

export DEBIAN_FRONTEND=noninteractive
$sudo apt-get install -y -qq "$deb" >/dev/null
trap '$sudo apt-get remove -y -qq velmora >/dev/null' EXIT
dpkg-query -W -f='${Package} ${Version} installed; Depends: ${Depends}\n' velmora

desktop=/usr/share/applications/velmora.desktop
command=$(sed -n 's/^Exec=//p' "$desktop")
program=$(command -v "$command")
echo "desktop entry runs: $command ($program)"
for icon in 16x16/apps/velmora.png 32x32/apps/velmora.png scalable/apps/velmora.svg; do
    [ -f "/usr/share/icons/hicolor/$icon" ] || { echo "missing icon $icon"; exit 1; }
done
man -w velmora-convert >/dev/null

/usr/bin/velmora-convert --version

# The window must appear within 20 s; it is closed again by ending the program.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$1" &
    pid=$!
    for ((i = 0; i < 40; i++)); do
        if window=$(xdotool search --name "Velmora v1.0" 2>/dev/null | head -n 1) &&
           [ -n "$window" ]; then
            echo "window \"$(xdotool getwindowname "$window")\" is shown"
            kill "$pid"
            wait "$pid" 2>/dev/null
            exit 0
        fi
        sleep 0.5
    done
    kill "$pid"
    echo "no window appeared"
    exit 1
' check "$program"

work=$(mktemp -d)
printf '"Hello," said Ann.' >"$work/novel.txt"
/usr/bin/velmora-convert "$work/novel.txt"
cat "$work/Script.htm"
echo
# A Greek name needs the fallback font the package depends on.
printf '\xce\x9d\xce\xaf\xce\xba\xce\xbf\xcf\x82\n' >"$work/names.txt"
/usr/bin/velmora-convert --names "$work/names.txt" --export=all "$work/novel.txt"
pdffonts "$work/Script.pdf" | grep -q DejaVuSansMono || { echo "no fallback font in the PDF"; exit 1; }
rm -rf "$work"
