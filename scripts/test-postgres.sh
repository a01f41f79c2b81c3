#!/usr/bin/env bash
# A throwaway PostgreSQL server for the database tests: a cluster in a fresh
# temporary folder, listening on a socket in that folder and on a free port of
# 127.0.0.1, with a random password. Sourced by test.sh:
#   source scripts/test-postgres.sh && start_test_postgres
# exports LUMORIND_TEST_PG, LUMORIND_TEST_PG_USER and LUMORIND_TEST_PG_PASSWORD;
# stop_test_postgres (also run on exit) stops it and removes the folder.
# Nothing is fixed, so several runs on one machine never meet.

start_test_postgres() {
  local bindir
  bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
  if [ -z "$bindir" ] || [ ! -x "$bindir/initdb" ]; then
    echo "PostgreSQL server programs not found; its database tests will be skipped." >&2
    return 1
  fi
  LUMORIND_PG_DIR=$(mktemp -d "${TMPDIR:-/tmp}/lumorind-pg.XXXXXX")
  trap stop_test_postgres EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  local as=()
  # initdb refuses root: the cluster then belongs to the postgres user.
  if [ "$(id -u)" -eq 0 ]; then
    chown postgres: "$LUMORIND_PG_DIR"
    as=(runuser -u postgres --)
  fi
  local password user=lumorind
  password=$(head -c 18 /dev/urandom | base64 | tr -d '/+=')
  printf '%s\n' "$password" > "$LUMORIND_PG_DIR/pw"
  [ "$(id -u)" -eq 0 ] && chown postgres: "$LUMORIND_PG_DIR/pw"
  chmod 600 "$LUMORIND_PG_DIR/pw"
  if ! "${as[@]}" "$bindir/initdb" -D "$LUMORIND_PG_DIR/data" -U "$user" --pwfile="$LUMORIND_PG_DIR/pw" \
       --auth=scram-sha-256 -E UTF8 --locale=C.UTF-8 >"$LUMORIND_PG_DIR/initdb.log" 2>&1; then
    cat "$LUMORIND_PG_DIR/initdb.log" >&2
    return 1
  fi
  local port started=0
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    port=$(( 20000 + RANDOM % 40000 ))
    if "${as[@]}" "$bindir/pg_ctl" -D "$LUMORIND_PG_DIR/data" -l "$LUMORIND_PG_DIR/server.log" -w -t 30 \
         -o "-p $port -k $LUMORIND_PG_DIR -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=200" \
         start >/dev/null 2>&1; then
      started=1
      break
    fi
  done
  if [ "$started" != 1 ]; then
    echo "The test PostgreSQL server did not start:" >&2
    tail -n 20 "$LUMORIND_PG_DIR/server.log" >&2 || true
    return 1
  fi
  LUMORIND_PG_BIN=$bindir
  PGPASSWORD=$password "$bindir/psql" -h "$LUMORIND_PG_DIR" -p "$port" -U "$user" -d postgres -q \
    -c "CREATE DATABASE lumorind_test" >/dev/null
  export LUMORIND_TEST_PG="Provider=PostgreSQL;Host=127.0.0.1;Port=$port;Database=lumorind_test"
  export LUMORIND_TEST_PG_USER=$user
  export LUMORIND_TEST_PG_PASSWORD=$password
  echo "Test PostgreSQL server on 127.0.0.1:$port (folder $LUMORIND_PG_DIR)."
}

stop_test_postgres() {
  [ -n "${LUMORIND_PG_DIR:-}" ] && [ -d "$LUMORIND_PG_DIR" ] || return 0
  if [ -n "${LUMORIND_PG_BIN:-}" ] && [ -f "$LUMORIND_PG_DIR/data/postmaster.pid" ]; then
    local as=()
    [ "$(id -u)" -eq 0 ] && as=(runuser -u postgres --)
    "${as[@]}" "$LUMORIND_PG_BIN/pg_ctl" -D "$LUMORIND_PG_DIR/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  rm -rf "$LUMORIND_PG_DIR"
  LUMORIND_PG_DIR=
}
