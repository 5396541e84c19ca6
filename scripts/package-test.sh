#!/usr/bin/env bash
# Builds the Debian packages from an already built tree, checks that apt can
# install them, unpacks them into a scratch root and runs the programs there:
# --version, the service answering the version request, the client's window.
#   scripts/package-test.sh [BUILD]   (default build, as scripts/test.sh leaves it)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
scripts/deps.sh --test

scratch=$(mktemp -d)
service=
cleanup() {
  [ -n "$service" ] && kill "$service" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

fail() { echo "package-test: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$scratch/debs" >/dev/null
debs=("$scratch"/debs/*.deb)
[ ${#debs[@]} -eq 2 ] || fail "expected two packages, got: ${debs[*]}"
for deb in "${debs[@]}"; do
  echo "$(basename "$deb"): $(dpkg-deb -f "$deb" Depends)"
  dpkg-deb -x "$deb" "$scratch/root"
done
# Every dependency can be met on this machine (nothing is installed).
apt-get install --simulate --no-install-recommends "${debs[@]}" >/dev/null

bin=$scratch/root/usr/bin
for program in nimbra-script velorin-local; do
  "$bin/$program" --version | grep -q "^$program " || fail "$program --version"
done
"$bin/nimbra-script" new txt sala | grep -q "^//mob txt sala" || fail "nimbra-script new"
for page in nimbra nimbra-script velorin-local; do
  [ -s "$scratch/root/usr/share/man/man1/$page.1.gz" ] || fail "no man page for $page"
done

# The service finds the site installed beside it.
"$bin/velorin-local" --port 0 --data "$scratch/data" > "$scratch/port" 2> "$scratch/service.log" &
service=$!
for _ in $(seq 100); do [ -s "$scratch/port" ] && break; sleep 0.1; done
port=$(head -n1 "$scratch/port")
[ -n "$port" ] || fail "velorin-local did not start"
version=$(curl -sf "http://127.0.0.1:$port/nimbra/wbetz/mobVrs.php") || fail "no answer to mobVrs.php"
[ -n "$version" ] || fail "empty version from mobVrs.php"
curl -sf "http://127.0.0.1:$port/nimbra/index.htm" >/dev/null || fail "the installed site is not served"

# The client starts and shows its main window, keeping its files in the
# author's folders.
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/config XDG_DATA_HOME=$scratch/home/data
export XDG_RUNTIME_DIR=$scratch/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
  "$1" & client=$!
  for _ in $(seq 150); do
    xwininfo -root -tree | grep -q "\"Nimbra" && { kill "$client"; exit 0; }
    kill -0 "$client" 2>/dev/null || exit 1
    sleep 0.2
  done
  kill "$client"; exit 1' _ "$bin/nimbra" > "$scratch/client.log" 2>&1 ||
  { cat "$scratch/client.log" >&2; fail "the client showed no Nimbra window"; }
[ -d "$XDG_DATA_HOME/nimbra" ] || fail "the client made no adventures folder in $XDG_DATA_HOME"
[ -z "$(ls "$bin" | grep -v -x -e nimbra -e nimbra-script -e velorin-local)" ] || fail "the client wrote into $bin"
echo "package-test: packages install and run"
