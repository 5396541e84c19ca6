#!/usr/bin/env bash
# Installs what is missing, builds, and starts the client against the local
# reference service with the demo adventure.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build

if [ -x build/app/nimbra ]; then
  exec build/app/nimbra
fi
echo "Cliente ainda não construído; a ferramenta de scripts está em build/cli/nimbra-script"
build/cli/nimbra-script new txt exemplo | iconv -f CP1252 -t UTF-8
