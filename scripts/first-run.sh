#!/usr/bin/env bash
# First run: when no connection settings exist yet, creates the embedded
# SQLite database under the user's data folder, writes the connection settings,
# fills the new database with the demo data and sets the link to a demo source
# of the other care system. Usage: first-run.sh <build folder>
set -euo pipefail
# The database holds client records and the login table: whatever this script
# makes is its owner's alone (lumorind-setup init makes the database so too).
umask 077
build=${1:?usage: first-run.sh <build folder>}
tool="$build/src/lumorind-setup"
config="${LUMORIND_CONFIG_DIR:-${XDG_CONFIG_HOME:-$HOME/.config}}"
key="$config/Quorvex/Lumorind5.reg"

# Settings already there (a previous run, or prepared by an administrator).
[ -f "$key" ] && exit 0

data="${XDG_DATA_HOME:-$HOME/.local/share}/lumorind"
db="$data/lumorind.db"
new_db=1
[ -e "$db" ] && new_db=0

echo "First run: preparing the database $db"
"$tool" init --connection "Provider=SQLite;Data Source=$db"
if [ "$new_db" = 1 ]; then
  "$tool" demo
  # A demo source of the other care system, set as the link (unless one is set
  # already), so 利用者登録 → 新規 → インポート lists its clients at once.
  link="$data/tavelund-demo.db"
  [ -e "$link" ] || "$tool" demo-link --file "$link" || true
else
  echo "The database already existed: it was brought up to date and kept as it is (no demo data)."
fi
