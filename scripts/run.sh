#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tanabana on the default installation (SQLite files
# in the user's data folder; created with a demo firm on first start).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
bash scripts/install-deps.sh
bash scripts/build.sh
# First start on the default installation: a demonstration firm with months of documents.
if [ "$#" -eq 0 ]; then ./build/tanabana-cli demo create --if-new; fi
exec ./build/tanabana "$@"
