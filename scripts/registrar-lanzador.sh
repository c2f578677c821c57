#!/usr/bin/env bash
# Registers the desktop entry and the icon of a folder install for the current
# user, so the program appears in the desktop's menu.
set -euo pipefail
carpeta=$1
datos=${XDG_DATA_HOME:-$HOME/.local/share}
install -D -m 644 "$carpeta/share/applications/trebolero.desktop" "$datos/applications/trebolero.desktop"
install -D -m 644 "$carpeta/share/icons/hicolor/32x32/apps/trebolero.png" \
  "$datos/icons/hicolor/32x32/apps/trebolero.png"
echo "Trebolero instalado en $carpeta; su fichero de configuración será $carpeta/Trebolero.ini."
