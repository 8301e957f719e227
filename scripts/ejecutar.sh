#!/usr/bin/env bash
# Installs what is missing, builds, serves servidor/ on 127.0.0.1 and starts
# the program against it. Arguments go to the program (a data file to open).
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"

# xvfb-run comes with the dependencies, so the advice below works at once.
"$raiz/scripts/instalar-dependencias.sh"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No hay pantalla (DISPLAY vacío). Para ejecutar Alcabala sin escritorio use:" >&2
  echo "  xvfb-run -a -s '-screen 0 1280x1024x24' $0 $*" >&2
  exit 1
fi

"$raiz/scripts/compilar.sh"
build="${ALCABALA_BUILD_DIR:-$raiz/build}"

puerto="${ALCABALA_PUERTO:-8642}"
python3 -m http.server "$puerto" --bind 127.0.0.1 --directory "$raiz/servidor" >/dev/null 2>&1 &
servidor=$!
trap 'kill $servidor 2>/dev/null || true' EXIT
# Wait until the server answers.
for _ in $(seq 50); do
  python3 - "$puerto" <<'PY' && break
import socket, sys
s = socket.socket(); s.settimeout(0.2)
sys.exit(0 if s.connect_ex(("127.0.0.1", int(sys.argv[1]))) == 0 else 1)
PY
  sleep 0.1
done

export ALCABALA_URL_BASE="http://127.0.0.1:$puerto/"
"$build/bin/alcabala" "$@"
