#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Quiet and quick when everything is already there.
set -euo pipefail

paquetes=(
  cmake ninja-build g++ make
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
  libcurl4-openssl-dev
  "$@"
)

faltan=()
for paquete in "${paquetes[@]}"; do
  estado=$(dpkg-query -W -f='${Status}' "$paquete" 2>/dev/null || true)
  [[ $estado == "install ok installed" ]] || faltan+=("$paquete")
done
[[ ${#faltan[@]} -eq 0 ]] && exit 0

echo "Instalando paquetes de Debian: ${faltan[*]}"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${faltan[@]}" >/dev/null
