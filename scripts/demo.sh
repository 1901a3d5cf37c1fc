#!/usr/bin/env bash
# The main job on a demo company: installs what is missing, builds, creates a demo
# company database (a year of cash sales up to today and standing closing
# adjustments), points the suite's installation directory at a demo folder and runs
# the unattended posting of today twice, as a scheduler does: the second run finds
# nothing left to post.
#   scripts/demo.sh            the unattended run (no window; messages on stderr)
#   scripts/demo.sh --window   opens the window on the demo company instead (needs a display)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
# DEMO_PROGRAM names a program already built (the test suite runs the demo so).
program=${DEMO_PROGRAM:-}
if [ -z "$program" ]; then
  bash scripts/setup.sh
  cmake -S . -B out/build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build out/build -j "$(nproc)" --target contabiliza-contado >/dev/null
  program=out/build/app/contabiliza-contado
fi

demo=$(mktemp -d "${TMPDIR:-/tmp}/contabiliza-demo.XXXXXX")
mkdir -p "$demo/xdg/Tandeo" "$demo/suite" "$demo/empresas" "$demo/runtime"
chmod 700 "$demo/runtime"
export XDG_RUNTIME_DIR="$demo/runtime"
printf 'Directorio=%s\n' "$demo/suite" >"$demo/xdg/Tandeo/QuelmarERP2026.conf"
printf '%s\r\n' "$demo/empresas" >"$demo/suite/SERVIDORES.cfg"
db/create-company "$demo/empresas" DEMO --demo
database="$demo/empresas/datos/DEMO/quelmar.fdb"
export XDG_CONFIG_DIRS="$demo/xdg"
echo "demo: company database $database"
echo "demo: installation directory $demo/suite (the error log ERRORES.TXT goes there)"

if [ "${1:-}" = "--window" ]; then
  exec "$program"
fi

# The password goes on standard input ("-"), as a scheduler gives it.
run_unattended() { # run_unattended LABEL
  echo "demo: $1 unattended posting of $(date +%F): contabiliza-contado $demo/empresas SYSDBA - DEMO"
  set +e
  printf 'masterkey\n' | env -u DISPLAY -u WAYLAND_DISPLAY "$program" "$demo/empresas" SYSDBA - DEMO
  status=$?
  set -e
  case $status in
    0) echo "demo: $1 run: exit status 0: the day's sales were posted" ;;
    1) echo "demo: $1 run: exit status 1: nothing was posted" ;;
    3) echo "demo: $1 run: exit status 3: posted, but saving the day's adjustments failed" ;;
    *) echo "demo: $1 run: exit status $status: the run stopped before the posting's result" ;;
  esac
}
run_unattended first
first_status=$status
run_unattended second
second_status=$status
echo "demo: exit statuses: first run $first_status, second run $second_status"

echo "demo: the day's closing adjustments and the vouchers posted today:"
isql-fb -q -user SYSDBA "$database" <<'SQL'
set list off;
select AJCI_PORC, AJCI_FACTOR, AJCI_PREFNO from AJUSTE_CIERRE where AJCI_FECINI = current_date order by AJCI_PORC;
select c.TICO_CODIGO, c.COMP_NUMERO, c.COMP_FECHA, c.COMP_PREFIJO,
       (select sum(d.CODE_DEBITO) from COMPROBANTE_DET d where d.COMP_ID = c.COMP_ID) as DEBITOS,
       (select sum(d.CODE_CREDITO) from COMPROBANTE_DET d where d.COMP_ID = c.COMP_ID) as CREDITOS
  from COMPROBANTE c where c.COMP_FECHA = current_date order by c.COMP_ID;
SQL
# The demo worked when the first run posted and the second found nothing to post.
[ "$first_status" -eq 0 ] && [ "$second_status" -eq 1 ]
