#!/usr/bin/env bash
# Registers the desktop entry and the icons of the Trebolero folder that holds
# this script for the current user, so the program appears in the desktop's
# menu. After moving the folder, run it again from the new place.
set -euo pipefail
carpeta=$(dirname "$(readlink -f "$0")")
datos=${XDG_DATA_HOME:-$HOME/.local/share}
mkdir -p "$datos/applications"
while IFS= read -r linea; do
  [[ $linea == Exec=* ]] && linea="Exec=\"$carpeta/Trebolero\""
  printf '%s\n' "$linea"
done <"$carpeta/share/applications/trebolero.desktop" >"$datos/applications/trebolero.desktop"
for icono in 32x32/apps/trebolero.png scalable/apps/trebolero.svg; do
  install -D -m 644 "$carpeta/share/icons/hicolor/$icono" "$datos/icons/hicolor/$icono"
done
echo "Trebolero instalado en $carpeta; su fichero de configuración será $carpeta/Trebolero.ini."
