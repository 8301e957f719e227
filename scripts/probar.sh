#!/usr/bin/env bash
# Installs what is missing, builds and runs every test; then builds the core
# and command-line tests once more with AddressSanitizer and
# UndefinedBehaviorSanitizer (in build-san/, or $ALCABALA_BUILD_SAN_DIR) and
# runs them there. ALCABALA_SIN_SANITIZADORES=1 skips that second run.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/scripts/instalar-dependencias.sh"
"$raiz/scripts/compilar.sh"
build="${ALCABALA_BUILD_DIR:-$raiz/build}"
(cd "$build" && ctest --output-on-failure --no-tests=error)

[ "${ALCABALA_SIN_SANITIZADORES:-}" = "1" ] && exit 0
# The window tests stay out: they add little the core tests do not cover and
# would double the run's time.
san="${ALCABALA_BUILD_SAN_DIR:-$raiz/build-san}"
pruebas=(test_general test_storage test_declarations test_news test_cli)
ALCABALA_BUILD_DIR="$san" ALCABALA_OBJETIVOS="${pruebas[*]} alcabala-cli alcabala-cli-completo alcabala_mdb" \
  "$raiz/scripts/compilar.sh" -DALCABALA_SANITIZE=ON -DALCABALA_BENCH=OFF
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# The cases carry their program's name as label; a run that finds none fails.
(cd "$san" && ctest --output-on-failure --no-tests=error -L "^($(IFS='|'; echo "${pruebas[*]}"))\$")
