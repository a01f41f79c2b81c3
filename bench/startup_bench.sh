#!/usr/bin/env bash
# The start-up benchmark: the application from exec to its login dialog
# mapped, against bench/startup_floor (one Japanese label and one line edit),
# interleaved on a private Xvfb without a window manager, with a fresh demo
# database and settings. Needs a build with -DLUMORIND_BENCHMARKS=ON.
#   bench/startup_bench.sh [build folder] [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${2:-21}
tmp=$(mktemp -d)
xvfb=
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

export LUMORIND_CONFIG_DIR="$tmp/config" XDG_DATA_HOME="$tmp/data" XDG_RUNTIME_DIR="$tmp/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
"$root/scripts/first-run.sh" "$build" >/dev/null

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$tmp/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
"$build/bench/startup_bench" "$runs" "Lumorind　ログイン" "$build/src/lumorind" "startup floor" "$build/bench/startup_floor"
