#!/usr/bin/env bash
# Makes the README's pictures on the offscreen platform, at 100 % and at 200 %
# (QT_SCALE_FACTOR=2), as a user of a Colombian workstation sees them:
#   window.png          the window at start: the server list of an example
#                       installation, no company connected yet
#   window-tarifas.png  a demo company connected and "Tarifas" opened with F5
#   find-dialog.png     the find dialog over the "Tarifas" grid
#   grid-editor.png, grid-calendar.png   a "Tarifas" grid editing a cell, and
#                       with a date cell's calendar dropped down (100 % only)
# and the same with "-200" before ".png" at 200 %.
#   scripts/screenshot.sh [FOLDER] [BUILD_DIR]     (default: docs, out/build)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
folder=${1:-$root/docs}
build=${2:-$root/out/build}
program="$build/app/contabiliza-contado"
pictures="$build/tests/app/window_screenshots"
grid_pictures="$build/tests/grid/grid_screenshots"
for tool in "$program" "$pictures" "$grid_pictures"; do
  [ -x "$tool" ] || { echo "screenshot: build it first ($tool)" >&2; exit 1; }
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/xdg/Tandeo" "$scratch/suite" "$scratch/runtime" "$folder"
chmod 700 "$scratch/runtime"
printf 'Directorio=%s\n' "$scratch/suite" >"$scratch/xdg/Tandeo/QuelmarERP2026.conf"
printf 'contab:/srv/quelmar\r\n/var/lib/quelmar\r\n' >"$scratch/suite/SERVIDORES.cfg"

# Qt reads the workstation's formats from the locale's name; no system locale
# files are needed for that.
export XDG_RUNTIME_DIR="$scratch/runtime" LC_ALL=es_CO.UTF-8 QT_QPA_PLATFORM=offscreen
for scale in 1 2; do
  suffix=""
  [ "$scale" = 2 ] && suffix="-200"
  XDG_CONFIG_DIRS="$scratch/xdg" QT_SCALE_FACTOR=$scale "$program" --screenshot "$folder/window$suffix.png"
  echo "screenshot: $folder/window$suffix.png"
  QT_SCALE_FACTOR=$scale "$pictures" "$folder" "$suffix"
done
"$grid_pictures" "$folder"
