#!/usr/bin/env bash
# The main job on a demo company: installs what is missing, builds, creates a demo
# company database (a year of cash sales up to today and standing closing
# adjustments), points the suite's installation directory at a demo folder and runs
# the unattended posting of today, as a scheduler does.
#   scripts/demo.sh            the unattended run (no window; messages on stderr)
#   scripts/demo.sh --window   opens the window on the demo company instead (needs a display)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh
cmake -S . -B out/build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build out/build -j "$(nproc)" --target contabiliza-contado >/dev/null
program=out/build/app/contabiliza-contado

demo=$(mktemp -d /tmp/contabiliza-demo.XXXXXX)
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

echo "demo: unattended posting of $(date +%F): contabiliza-contado $demo/empresas SYSDBA masterkey DEMO"
set +e
env -u DISPLAY -u WAYLAND_DISPLAY "$program" "$demo/empresas" SYSDBA masterkey DEMO
status=$?
set -e
case $status in
  0) echo "demo: exit status 0: the day's sales were posted" ;;
  1) echo "demo: exit status 1: nothing was posted" ;;
  *) echo "demo: exit status $status: the run stopped on an error" ;;
esac

echo "demo: the day's closing adjustments and the vouchers posted today:"
isql-fb -q -user SYSDBA "$database" <<'SQL'
set list off;
select AJCI_PORC, AJCI_FACTOR, AJCI_PREFNO from AJUSTE_CIERRE where AJCI_FECINI = current_date order by AJCI_PORC;
select c.TICO_CODIGO, c.COMP_NUMERO, c.COMP_FECHA, c.COMP_PREFIJO,
       (select sum(d.CODE_DEBITO) from COMPROBANTE_DET d where d.COMP_ID = c.COMP_ID) as DEBITOS,
       (select sum(d.CODE_CREDITO) from COMPROBANTE_DET d where d.COMP_ID = c.COMP_ID) as CREDITOS
  from COMPROBANTE c where c.COMP_FECHA = current_date order by c.COMP_ID;
SQL
exit $status
