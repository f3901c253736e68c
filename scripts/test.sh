#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test suite; the database suites run
# on SQLite and, against a throwaway PostgreSQL server started here, on PostgreSQL too.
# Extra arguments go to ctest (e.g. -L ledger); TANABANA_BUILD_DIR picks another build folder
# (e.g. the sanitizer build, docs/building.md).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
bash scripts/install-deps.sh
bash scripts/check-no-sql.sh
if command -v python3 >/dev/null; then python3 scripts/unity-clashes.py; fi
bash scripts/build.sh

pg_pid_dir=""
cleanup() {
  if [ -n "$pg_pid_dir" ] && [ -d "$pg_pid_dir" ]; then
    runuser -u postgres -- "$PG_BIN/pg_ctl" -D "$pg_pid_dir/data" -m immediate stop >/dev/null 2>&1 || true
    rm -rf "$pg_pid_dir"
  fi
}
trap cleanup EXIT

PG_BIN="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1 || true)"
if [ -z "${TANABANA_TEST_PG_URL:-}" ] && [ -n "$PG_BIN" ] && [ -x "$PG_BIN/initdb" ]; then
  # the first free port from 54329 on, so two runs on one machine do not meet
  port="${TANABANA_TEST_PG_PORT:-}"
  if [ -z "$port" ]; then
    for candidate in $(seq 54329 54399); do
      if ! (exec 3<>"/dev/tcp/127.0.0.1/$candidate") 2>/dev/null; then port="$candidate"; break; fi
    done
  fi
  pg_pid_dir="$(mktemp -d /tmp/tanabana-pg.XXXXXX)"
  chown postgres "$pg_pid_dir"
  if [ "$(id -u)" -eq 0 ]; then run_pg=(runuser -u postgres --); else run_pg=(sudo -u postgres); fi
  "${run_pg[@]}" "$PG_BIN/initdb" -D "$pg_pid_dir/data" -A trust -U postgres >/dev/null
  "${run_pg[@]}" "$PG_BIN/pg_ctl" -D "$pg_pid_dir/data" -l "$pg_pid_dir/log" -w \
     -o "-p $port -k $pg_pid_dir -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=200" start >/dev/null
  export TANABANA_TEST_PG_URL="postgresql://postgres@127.0.0.1:$port/postgres"
  echo "PostgreSQL test server on port $port"
fi

# Sanitizer builds: stop at the first fault; Qt's and the drivers' one-time allocations at exit
# are not leaks worth reporting.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
cd "${TANABANA_BUILD_DIR:-build}"
ctest --output-on-failure -j2 "$@"
