#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/scripts/instalar-dependencias.sh"
"$raiz/scripts/compilar.sh"
build="${ALCABALA_BUILD_DIR:-$raiz/build}"
cd "$build"
ctest --output-on-failure
