#!/usr/bin/env bash
# Installs what is missing, builds, and starts the client against the local
# reference service with the demo adventure (login demo, password demo).
set -euo pipefail
cd "$(dirname "$0")/.."

port=8642
data=build/velorin-data

scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNIMBRA_TESTS=OFF -DNIMBRA_BENCH=OFF
cmake --build build

service_running() {
  (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null
}

mkdir -p "$data"
if [ ! -x build/app/nimbra ]; then
  # No desktop client in this build yet: serve the demo adventure so it can
  # be played in a browser.
  echo "Aventura de demonstração: http://127.0.0.1:$port/html/vestra/inicio.php?Pfx=casa"
  exec build/velorin/velorin-local --port "$port" --data "$data" --demo
fi

started=
if ! service_running; then
  build/velorin/velorin-local --port "$port" --data "$data" --demo > "$data/velorin.log" 2>&1 &
  started=$!
  for _ in $(seq 50); do service_running && break; sleep 0.1; done
fi
# The demo author keeps copies of the adventure's pictures and sounds beside
# the client, as every author does with the files they upload.
if [ -d "$data/files/casa" ]; then
  mkdir -p build/app/casa
  cp -n "$data/files/casa/"* build/app/casa/ 2>/dev/null || true
fi
echo "Nimbra: entre com o login demo e a senha demo."
status=0
build/app/nimbra || status=$?
# The service this script started ends with the client.
[ -n "$started" ] && kill "$started" 2>/dev/null
exit "$status"
