#!/usr/bin/env bash
# Configures and builds into build/ (or $ALCABALA_BUILD_DIR). Arguments go to
# the configuration (-D options); $ALCABALA_OBJETIVOS, when set, names the
# targets to build (separated by blanks) instead of all of them.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
build="${ALCABALA_BUILD_DIR:-$raiz/build}"
extra=()
[ "${CI:-}" = "true" ] && extra+=(-DALCABALA_WERROR=ON)
# A compiler cache, where the machine has one, makes rebuilds of other checkouts quick.
command -v ccache >/dev/null && extra+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S "$raiz" -B "$build" "${extra[@]}" "$@" >/dev/null
objetivos=()
if [ -n "${ALCABALA_OBJETIVOS:-}" ]; then
  read -r -a nombres <<<"$ALCABALA_OBJETIVOS"
  objetivos=(--target "${nombres[@]}")
fi
cmake --build "$build" -j"$(nproc)" "${objetivos[@]}"
