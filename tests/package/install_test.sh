#!/usr/bin/env bash
# Builds the Debian package with scripts/package.sh, checks it as Debian's tools
# do, unpacks it into a throw-away root and runs what it installed the way an
# administrator and the nightly service would: --help and --version, the manual
# page, a demo company made by the installed create-company, and the unattended
# posting started with the command line of the installed service unit.
#   install_test.sh SOURCE_DIR WORK_DIR VERSION [BUILD_DIR]
# With BUILD_DIR the package is made of that build's program (the suite's own);
# without, scripts/package.sh makes the build of its own, as a person runs it.
set -euo pipefail

src=$1
work=$2
version=$3
from_build=()
[ $# -lt 4 ] || from_build=(--build-dir "$4")
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
step() { echo "== $*"; }

# A package build folder of its own is kept between runs (a rebuild is then
# quick); everything else starts afresh.
mkdir -p "$work"
rm -rf "$work/root" "$work/company" "$work/etc" "$work"/*.txt
package=$work/package

step "building the package"
deb=$(bash "$src/scripts/package.sh" "${from_build[@]}" "$package" | tail -n 1)
[ -f "$deb" ] || fail "scripts/package.sh made no package"
[ "$(basename "$deb")" = "contabiliza-contado_${version}_$(dpkg --print-architecture).deb" ] ||
  fail "unexpected package name $(basename "$deb")"

step "control fields and file list"
[ "$(dpkg-deb -f "$deb" Package)" = contabiliza-contado ] || fail "wrong package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version $(dpkg-deb -f "$deb" Version), not $version"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libqt6widgets6 libqt6gui6 libfbclient2 firebird3.0-server-core firebird3.0-utils libqt6svg6; do
  grep -Eq "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed"
done
! grep -q -- '-dev\b' <<<"$depends" || fail "Depends names a development package"
dpkg-deb -e "$deb" "$work/control"
for script in preinst postinst prerm postrm config; do
  [ ! -e "$work/control/$script" ] || fail "the package runs a $script script when installed"
done
rm -rf "$work/control"

dpkg-deb -c "$deb" >"$work/contents.txt"
awk '{ print $6 }' "$work/contents.txt" | sed 's|^\./||; /^$/d' | sort >"$work/files.txt"
for f in usr/bin/contabiliza-contado \
  usr/share/applications/contabiliza-contado.desktop \
  usr/share/icons/hicolor/scalable/apps/contabiliza-contado.svg \
  usr/share/man/man1/contabiliza-contado.1.gz \
  usr/share/doc/contabiliza-contado/copyright \
  usr/share/doc/contabiliza-contado/changelog.gz \
  usr/share/doc/contabiliza-contado/db/README.md \
  usr/share/contabiliza-contado/db/create-company \
  usr/share/contabiliza-contado/db/schema.sql \
  usr/share/contabiliza-contado/db/procedures.sql \
  usr/share/contabiliza-contado/db/base.sql \
  usr/share/contabiliza-contado/db/demo.sql \
  "usr/share/contabiliza-contado/systemd/contabiliza-contado@.service" \
  "usr/share/contabiliza-contado/systemd/contabiliza-contado@.timer"; do
  grep -qx "$f" "$work/files.txt" || fail "the package lacks /$f"
done
# Nothing outside /usr: no settings in /etc and no unit where the service
# manager would find it by itself.
outside=$(grep -v '^usr/' "$work/files.txt" || true)
[ -z "$outside" ] || fail "the package installs outside /usr: $outside"
grep -q ' root/root ' "$work/contents.txt" || fail "files are not owned by root"
! grep -v ' root/root ' "$work/contents.txt" | grep -q . || fail "a file not owned by root"

step "lintian"
lintian_status=0
lintian --fail-on error --display-info --tag-display-limit 0 "$deb" >"$work/lintian.txt" 2>&1 || lintian_status=$?
cat "$work/lintian.txt"
[ $lintian_status -eq 0 ] || fail "lintian reports errors (status $lintian_status)"

step "unpacking into a throw-away root"
root=$work/root
dpkg-deb -x "$deb" "$root"
program=$root/usr/bin/contabiliza-contado
[ -x "$program" ] || fail "no installed program"

# A scheduler's environment: no display, standard input as given.
headless() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@"; }

step "--help, -h and --version"
# A display that cannot be reached: opening a window would fail, so answering
# shows that none is made.
for option in --help -h; do
  status=0
  DISPLAY=:93 timeout 10 "$program" "$option" >"$work/help.txt" 2>"$work/help-err.txt" </dev/null || status=$?
  [ $status -eq 0 ] || fail "$option exits $status: $(cat "$work/help-err.txt")"
  [ ! -s "$work/help-err.txt" ] || fail "$option writes to standard error: $(cat "$work/help-err.txt")"
  for text in 'Uso: contabiliza-contado' SERVIDOR USUARIO CLAVE COMPAÑÍA '"-"' 'entrada estándar' \
    'Estado de salida' SERVIDORES.cfg ERRORES.TXT XDG_CONFIG_DIRS QuelmarERP2026.conf; do
    grep -qF -- "$text" "$work/help.txt" || fail "$option says nothing of $text"
  done
  for code in 0 1 2 3; do
    grep -Eq "^  $code  " "$work/help.txt" || fail "$option does not explain exit status $code"
  done
done
status=0
version_line=$(DISPLAY=:93 timeout 10 "$program" --version </dev/null) || status=$?
[ $status -eq 0 ] || fail "--version exits $status"
[ "$version_line" = "contabiliza-contado $version" ] || fail "--version prints '$version_line'"
# Not the only argument: no informational answer.
status=0
headless timeout 10 "$program" --version extra >"$work/extra.txt" 2>&1 </dev/null || status=$?
[ $status -ne 0 ] || fail "'--version extra' was answered as --version"
! grep -qF "contabiliza-contado $version" "$work/extra.txt" || fail "'--version extra' printed the version"

step "manual page"
page=$root/usr/share/man/man1/contabiliza-contado.1.gz
LC_ALL=C.UTF-8 MANWIDTH=80 MANROFFOPT=-ww man -l "$page" >"$work/man.txt" 2>"$work/man-err.txt" ||
  fail "man -l fails: $(cat "$work/man-err.txt")"
[ ! -s "$work/man-err.txt" ] || fail "man -l warns: $(cat "$work/man-err.txt")"
for section in NOMBRE SINOPSIS DESCRIPCIÓN ARGUMENTOS 'ESTADO DE SALIDA' ENTORNO ARCHIVOS EJEMPLOS 'VÉASE TAMBIÉN'; do
  grep -qx "$section" "$work/man.txt" || fail "the manual page has no section $section"
done
grep -qF "contabiliza-contado $version" "$work/man.txt" || fail "the manual page does not name version $version"

step "desktop entry and icon"
desktop-file-validate "$root/usr/share/applications/contabiliza-contado.desktop"
grep -qx 'Icon=contabiliza-contado' "$root/usr/share/applications/contabiliza-contado.desktop" ||
  fail "the desktop entry names no icon"
grep -q '<svg' "$root/usr/share/icons/hicolor/scalable/apps/contabiliza-contado.svg" || fail "the icon is no SVG"

step "systemd units"
# As the manual says: the templates copied to /etc/systemd/system.
units=$root/etc/systemd/system
mkdir -p "$units" "$root/usr/lib/systemd"
cp "$root"/usr/share/contabiliza-contado/systemd/contabiliza-contado@.* "$units/"
# The service manager's own units, for the dependencies of the checked ones.
cp -a /usr/lib/systemd/system "$root/usr/lib/systemd/"
systemd-analyze verify --root="$root" --man=no contabiliza-contado@DEMO.service contabiliza-contado@DEMO.timer ||
  fail "systemd-analyze finds faults in the units"
service=$units/contabiliza-contado@.service
grep -qx 'StandardInput=file:/etc/contabiliza-contado/%i.clave' "$service" || fail "the service gives no password file"
grep -qx 'OnCalendar=\*-\*-\* 23:30:00' "$units/contabiliza-contado@.timer" || fail "the timer is not daily"

step "a demo company made by the installed create-company"
company_root=$work/company
"$root/usr/share/contabiliza-contado/db/create-company" "$company_root" DEMO --demo
database=$company_root/datos/DEMO/quelmar.fdb
[ -f "$database" ] || fail "create-company made no $database"

# The suite's settings, as its installer writes them.
suite=$work/etc/suite
mkdir -p "$work/etc/xdg/Tandeo" "$suite"
printf 'Directorio=%s\n' "$suite" >"$work/etc/xdg/Tandeo/QuelmarERP2026.conf"
printf '%s\r\n' "$company_root" >"$suite/SERVIDORES.cfg"
export XDG_CONFIG_DIRS=$work/etc/xdg

# The files the service reads for company DEMO.
conf=$work/etc/DEMO.conf
password_file=$work/etc/DEMO.clave
printf 'SERVIDOR=%s\nUSUARIO=SYSDBA\n' "$company_root" >"$conf"
install -m 600 /dev/null "$password_file"
printf 'masterkey\n' >"$password_file"

# The service's command line, with what the service manager puts in: the
# variables of its environment file, the instance name, the installed program.
read -ra words <<<"$(sed -n 's/^ExecStart=//p' "$service")"
command=()
for word in "${words[@]}"; do
  case $word in
    '${SERVIDOR}') command+=("$company_root") ;;
    '${USUARIO}') command+=(SYSDBA) ;;
    %i) command+=(DEMO) ;;
    /usr/*) command+=("$root$word") ;;
    *) command+=("$word") ;;
  esac
done
[ "${command[0]}" = "$program" ] || fail "the service starts ${words[0]}, not the installed program"
[ "${command[3]}" = - ] || fail "the service does not read the password from standard input"
# The service's runtime folder.
export XDG_RUNTIME_DIR=$work/etc/runtime
install -d -m 700 "$XDG_RUNTIME_DIR"

sql() { isql-fb -q -user SYSDBA "$database" | awk 'NF == 2 { print $2 }'; }
cash_today="from FACTURA f join FACTURA_DET d on d.FACT_ID = f.FACT_ID
  where f.FACT_FECHA = current_date and f.FACT_NIT = (select EMPR_NIT_CONTADO from EMPRESA)"

step "the nightly posting, as the service runs it"
unposted=$(sql <<<"set list on; select count(distinct f.FACT_ID) as N $cash_today and f.FACT_COMP_LOCAL is null;")
[ "$unposted" -gt 0 ] || fail "the demo company has no cash sales today to post"
status=0
headless timeout 60 "${command[@]}" <"$password_file" >"$work/run.txt" 2>&1 || status=$?
cat "$work/run.txt"
[ $status -eq 0 ] || fail "the posting ends with status $status"
[ ! -s "$work/run.txt" ] || fail "a posting that went well wrote messages"

step "the vouchers"
vouchers=$(sql <<<"set list on; select count(*) as N from COMPROBANTE where COMP_FECHA = current_date;")
[ "$vouchers" -gt 0 ] || fail "no voucher for today"
left=$(sql <<<"set list on; select count(distinct f.FACT_ID) as N $cash_today and f.FACT_COMP_LOCAL is null;")
[ "$left" -eq 0 ] || fail "$left of today's cash invoices were left unposted"
invoiced=$(sql <<<"set list on; select sum(d.FADE_BASE + d.FADE_IVA) as N $cash_today;")
debits=$(sql <<<"set list on; select sum(l.CODE_DEBITO) as N from COMPROBANTE c
  join COMPROBANTE_DET l on l.COMP_ID = c.COMP_ID where c.COMP_FECHA = current_date;")
credits=$(sql <<<"set list on; select sum(l.CODE_CREDITO) as N from COMPROBANTE c
  join COMPROBANTE_DET l on l.COMP_ID = c.COMP_ID where c.COMP_FECHA = current_date;")
[ "$debits" = "$invoiced" ] && [ "$credits" = "$invoiced" ] ||
  fail "today's vouchers debit $debits and credit $credits for $invoiced invoiced"
adjustments=$(sql <<<"set list on; select count(*) as N from AJUSTE_CIERRE where AJCI_FECINI = current_date;")
[ "$adjustments" -gt 0 ] || fail "the day's adjustment rows were not saved"
echo "$vouchers vouchers, $invoiced invoiced, debits $debits, credits $credits, $adjustments adjustment rows"

step "a second run posts nothing"
status=0
headless timeout 60 "${command[@]}" <"$password_file" >"$work/run2.txt" 2>&1 || status=$?
[ $status -eq 1 ] || fail "the second posting ends with status $status: $(cat "$work/run2.txt")"
grep -qF 'No se pudo contabilizar las facturas.' "$work/run2.txt" || fail "the second run does not say why"

step "the password comes from standard input"
status=0
headless timeout 60 "${command[@]}" </dev/null >"$work/run3.txt" 2>&1 || status=$?
[ $status -eq 2 ] || fail "with no password on standard input the run ends with status $status"

echo "installation test passed"
