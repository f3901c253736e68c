#!/usr/bin/env bash
# Screens and the command line hand their work to domain services: SQL text in src/gui or src/cli
# fails the test run. Comment lines are not looked at (a help text may show a query).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
found="$(grep -rnE --include='*.cpp' --include='*.h' \
  '"[[:space:]]*(SELECT[[:space:]]|INSERT[[:space:]]+INTO|UPDATE[[:space:]]+[A-Za-z_]+[[:space:]]+SET|DELETE[[:space:]]+FROM|CREATE[[:space:]]+TABLE|ALTER[[:space:]]+TABLE|DROP[[:space:]]+TABLE)' \
  "$here/src/gui" "$here/src/cli" | grep -vE '^[^:]+:[0-9]+:[[:space:]]*//' || true)"
if [ -n "$found" ]; then
  echo "SQL found in the screens or the command line; move it into a domain service:" >&2
  echo "$found" | sed "s|$here/||" >&2
  exit 1
fi
