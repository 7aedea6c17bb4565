#!/usr/bin/env bash
# Installs, builds and runs every test, the server tests against a PostgreSQL
# server that lives only for this run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh
bash scripts/build.sh
pgdir=$(mktemp -d /tmp/lieferanten-pg.XXXXXX)
trap 'bash "$root/scripts/pg-test-server.sh" stop "$pgdir"' EXIT
LIEFERANTEN_TEST_PG=$(bash scripts/pg-test-server.sh start "$pgdir")
export LIEFERANTEN_TEST_PG
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
