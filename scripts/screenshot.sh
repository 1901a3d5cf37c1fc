#!/usr/bin/env bash
# Renders the main window to a PNG on the offscreen platform, as a user of a
# Spanish-speaking workstation sees it at start: the server list of an example
# installation, no company connected yet.
#   scripts/screenshot.sh [OUTPUT.png] [BUILD_DIR]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
output=${1:-$root/docs/window.png}
build=${2:-$root/out/build}
program="$build/app/contabiliza-contado"
[ -x "$program" ] || { echo "screenshot: build the program first ($program)" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/xdg/Tandeo" "$scratch/suite" "$scratch/runtime"
chmod 700 "$scratch/runtime"
printf 'Directorio=%s\n' "$scratch/suite" >"$scratch/xdg/Tandeo/QuelmarERP2026.conf"
printf 'contab:/srv/quelmar\r\n/var/lib/quelmar\r\n' >"$scratch/suite/SERVIDORES.cfg"

XDG_CONFIG_DIRS="$scratch/xdg" XDG_RUNTIME_DIR="$scratch/runtime" LC_ALL=es_CO.UTF-8 \
  QT_QPA_PLATFORM=offscreen "$program" --screenshot "$output"
echo "screenshot: $output"
