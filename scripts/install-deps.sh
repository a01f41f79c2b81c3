#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing,
# and the font substitutions for the Windows font names the templates use.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-qpa-plugins libqt6sql6-sqlite libqt6sql6-psql libqt6sql6-odbc
  qt6-translations-l10n
  unixodbc libsqliteodbc odbc-postgresql
  libgcrypt20-dev libssl-dev libgtest-dev libgmock-dev libbenchmark-dev libfontconfig-dev
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-noto-cjk fontconfig
  xvfb xauth poppler-utils tzdata libx11-dev
  postgresql
  libcups2-dev cups-daemon
)
if [ "${LUMORIND_FUZZ:-0}" = 1 ]; then packages+=(clang libclang-rt-14-dev); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# "ＭＳ ゴシック" and "ＭＳ 明朝" (and their ASCII spellings) resolve to the IPA fonts.
conf="$here/../packaging/fontconfig/65-lumorind-ms-fonts.conf"
if [ "$(id -u)" -eq 0 ]; then
  target=/etc/fonts/conf.d/65-lumorind-ms-fonts.conf
else
  target="${XDG_CONFIG_HOME:-$HOME/.config}/fontconfig/conf.d/65-lumorind-ms-fonts.conf"
  mkdir -p "$(dirname "$target")"
fi
if ! cmp -s "$conf" "$target" 2>/dev/null; then
  cp "$conf" "$target"
  fc-cache -f >/dev/null 2>&1 || true
fi
