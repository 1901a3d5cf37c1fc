#!/usr/bin/env bash
# Installs what the build, the tests and the demo need on Debian 12.
# Does nothing when every package is already present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6test6 libgl-dev libqt6svg6
  firebird-dev libfbclient2 firebird3.0-server-core firebird3.0-utils firebird3.0-server
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-dejavu-core xvfb locales
  dpkg-dev lintian man-db groff-base desktop-file-utils systemd ccache strace
)

# The workstation locales the program is tried under (dates, numbers and character
# classification differ between them).
locales=(es_CO.UTF-8 tr_TR.UTF-8 de_DE.UTF-8 ja_JP.UTF-8)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

missing_locales() {
  command -v locale >/dev/null 2>&1 || { echo "${locales[@]}"; return; }
  local have l
  have=$(locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]' | sed 's/utf-8/utf8/')
  for l in "${locales[@]}"; do
    echo "$have" | grep -qx "$(echo "$l" | tr '[:upper:]' '[:lower:]' | sed 's/utf-8/utf8/')" || echo "$l"
  done
}

generate_locales() {
  local wanted l
  wanted=$(missing_locales)
  [ -z "$wanted" ] && return 0
  echo "setup: generating the locales $wanted"
  for l in $wanted; do
    "${sudo_cmd[@]}" sed -i "s/^# *\($l UTF-8\)/\1/" /etc/locale.gen
    grep -q "^$l UTF-8" /etc/locale.gen || echo "$l UTF-8" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  done
  "${sudo_cmd[@]}" locale-gen >/dev/null
}

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
if [ ${#missing[@]} -eq 0 ]; then
  generate_locales
  exit 0
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
# The server package asks for a SYSDBA password and would enable and start the
# machine's default service; the tests never use that service (they start a server
# of their own), so it is declined, and no service is started while installing.
echo "firebird3.0-server shared/firebird/enabled boolean false" | "${sudo_cmd[@]}" debconf-set-selections || true
policy=/usr/sbin/policy-rc.d
own_policy=0
if [ ! -e "$policy" ]; then
  printf '#!/bin/sh\nexit 101\n' | "${sudo_cmd[@]}" tee "$policy" >/dev/null
  "${sudo_cmd[@]}" chmod 755 "$policy"
  own_policy=1
fi
status=0
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" || status=$?
[ $own_policy -eq 1 ] && "${sudo_cmd[@]}" rm -f "$policy"
[ $status -eq 0 ] && generate_locales
exit $status
