#!/usr/bin/env bash
# A throwaway CUPS scheduler for the print-queue tests: its own configuration,
# spool, logs and socket in a fresh temporary folder, no network port and no
# part of the machine's own print system. Four queues that print into files
# of that folder: "taking" (idle, accepting jobs), "refusing" (not accepting
# jobs, as after cupsreject), "stopped" (accepting but stopped, as after
# cupsdisable) and "denying" (idle and accepting, but not from this user, so
# a job is refused only when it is handed over). Sourced by test.sh:
#   source scripts/test-cups.sh && start_test_cups
# exports LUMORIND_TEST_CUPS (the scheduler's socket, for CUPS_SERVER);
# stop_test_cups (also run on exit) stops it and removes the folder.

start_test_cups() {
  local cupsd
  cupsd=$(command -v cupsd || { [ -x /usr/sbin/cupsd ] && echo /usr/sbin/cupsd; } || true)
  if [ -z "$cupsd" ]; then
    echo "cupsd not found (Debian's cups-daemon): the live print-queue tests are skipped." >&2
    return 1
  fi
  LUMORIND_CUPS_DIR=$(mktemp -d "${TMPDIR:-/tmp}/lumorind-cups.XXXXXX")
  # Stopped with whatever else runs on exit (the PostgreSQL server's stop).
  local previous=""
  eval "set -- $(trap -p EXIT)"
  [ $# -ge 3 ] && previous=$3
  trap "stop_test_cups${previous:+; $previous}" EXIT
  local d=$LUMORIND_CUPS_DIR
  mkdir -p "$d/spool" "$d/tmp" "$d/cache" "$d/state" "$d/out" "$d/ppd"
  cat >"$d/cupsd.conf" <<EOF
Listen $d/cups.sock
LogLevel info
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  cat >"$d/cups-files.conf" <<EOF
ServerRoot $d
RequestRoot $d/spool
TempDir $d/tmp
CacheDir $d/cache
StateDir $d/state
ServerBin /usr/lib/cups
DataDir /usr/share/cups
ErrorLog $d/error_log
AccessLog $d/access_log
PageLog $d/page_log
Printcap /dev/null
FileDevice Yes
EOF
  cat >"$d/printers.conf" <<EOF
<Printer taking>
DeviceURI file://$d/out/taking
State Idle
Accepting Yes
Shared No
</Printer>
<Printer refusing>
DeviceURI file://$d/out/refusing
State Idle
StateMessage Rejecting Jobs
Accepting No
Shared No
</Printer>
<Printer denying>
DeviceURI file://$d/out/denying
State Idle
Accepting Yes
Shared No
DenyUser $(id -un)
</Printer>
<Printer stopped>
DeviceURI file://$d/out/stopped
State Stopped
StateMessage Paused
Reason paused
Accepting Yes
Shared No
</Printer>
EOF
  chmod 600 "$d"/*.conf
  "$cupsd" -f -c "$d/cupsd.conf" -s "$d/cups-files.conf" >"$d/cupsd.out" 2>&1 &
  LUMORIND_CUPS_PID=$!
  local _
  for _ in $(seq 50); do
    [ -S "$d/cups.sock" ] && break
    kill -0 "$LUMORIND_CUPS_PID" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -S "$d/cups.sock" ]; then
    echo "The test CUPS scheduler did not start:" >&2
    cat "$d/cupsd.out" >&2 || true
    grep '^E' "$d/error_log" >&2 || true
    return 1
  fi
  export LUMORIND_TEST_CUPS=$d/cups.sock
  echo "Test CUPS scheduler on $LUMORIND_TEST_CUPS."
}

stop_test_cups() {
  [ -n "${LUMORIND_CUPS_DIR:-}" ] && [ -d "$LUMORIND_CUPS_DIR" ] || return 0
  if [ -n "${LUMORIND_CUPS_PID:-}" ]; then
    kill "$LUMORIND_CUPS_PID" 2>/dev/null && wait "$LUMORIND_CUPS_PID" 2>/dev/null || true
    LUMORIND_CUPS_PID=
  fi
  rm -rf "$LUMORIND_CUPS_DIR"
  LUMORIND_CUPS_DIR=
}
