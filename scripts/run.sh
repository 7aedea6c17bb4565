#!/usr/bin/env bash
# Installs, builds, makes a demo database with its settings file beside the
# executable if there is none yet, and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh Lieferanten lieferanten-admin
app=build/src/app
if [ ! -f "$app/Lieferanten.ini" ]; then
    [ -f "$app/lieferanten.db" ] || build/tools/lieferanten-admin demo "$app/lieferanten.db"
    printf '[DB]\r\nmain=%s\r\n' "$(realpath "$app/lieferanten.db")" > "$app/Lieferanten.ini"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Kein Bildschirm gefunden: das Programm läuft in einem virtuellen X-Server (xvfb-run)."
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$app/Lieferanten"
fi
exec "$app/Lieferanten"
