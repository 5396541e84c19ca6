#!/usr/bin/env bash
# Builds and runs every benchmark program and prints one table of the
# figures and ratios measured in this run.
#   scripts/bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --test
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNIMBRA_BENCH=ON >/dev/null
cmake --build build >/dev/null

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for program in build/bench/*_bench; do
  name=$(basename "$program")
  echo "running $name..." >&2
  if [ "$name" = startup_bench ]; then
    QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu \
      xvfb-run -a -s "-screen 0 1600x1000x24" "$program" --benchmark_format=json > "$out/$name.json"
  else
    "$program" --benchmark_format=json > "$out/$name.json"
  fi
done

python3 - "$out" <<'PY'
import json, os, sys
runs = {}
for f in sorted(os.listdir(sys.argv[1])):
    for b in json.load(open(os.path.join(sys.argv[1], f)))["benchmarks"]:
        runs[b["name"].split("/")[0]] = b
        runs[b["name"]] = b

def ns(name):
    b = runs.get(name)
    if not b:
        return None
    scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[b["time_unit"]]
    return b["real_time"] * scale

def row(what, value):
    print(f"| {what:<58} | {value:>22} |")

print(f"| {'measure':<58} | {'value':>22} |")
print(f"|{'-' * 60}|{'-' * 24}|")
def ratio(what, a, b):
    if ns(a) and ns(b):
        row(what, f"{ns(a) / ns(b):.2f}x")
def time(what, name, unit="us"):
    if ns(name):
        div = {"us": 1e3, "ms": 1e6}[unit]
        row(what, f"{ns(name) / div:.3f} {unit}")
def rate(what, name, key="items_per_second"):
    b = runs.get(name)
    if b and key in b:
        row(what, f"{b[key]:.0f} /s")

ratio("parser+generator vs line split (same text)", "BM_ParseAndGenerate", "BM_LineSplit")
ratio("ServiceGet vs bare curl GET (same URL)", "BM_ServiceGet", "BM_BareCurlGet")
ratio("OpenPage vs bare curl GET", "BM_OpenPage", "BM_BareCurlGet")
ratio("CompileAndStore vs bare curl POST", "BM_CompileAndStore", "BM_BareCurlPost")
time("ServiceGet of a page script", "BM_ServiceGet")
time("story map of 500 pages, built and laid out", "BM_BuildAndLayOutMap", "ms")
for hold in ("0", "50"):
    for way, bench in (("4 in flight", "BM_OpenMapFourInFlight"), ("one at a time", "BM_OpenMapOneAtATime")):
        name = f"{bench}/{hold}/real_time" if hold == "0" else f"{bench}/{hold}/iterations:1/real_time"
        time(f"map of 1000 pages, answers held {hold} ms, {way}", name, "ms")
rate("service: page fetches (nmbGtScp), 4 clients", "BM_nmbGtScp")
rate("service: page stores (nmbPtScp), 4 clients", "BM_nmbPtScp")
b = runs.get("BM_ManyAuthors")
if b and "p95_ms" in b:
    row("service: 256 authors, a fetch each 1-3 s: p95 / max", f"{b['p95_ms']:.1f} / {b['max_ms']:.1f} ms")
b = runs.get("BM_ManyAuthorsBesideSlowPeers")
if b and "max_ms" in b:
    row("the same beside 8 dribbling + 32 silent connections: max", f"{b['max_ms']:.1f} ms")
time("client cold start", "BM_ClientColdStart", "ms")
b = runs.get("BM_ClientColdStart")
if b and "rss_mib" in b:
    row("resident memory with web views loaded", f"{b['rss_mib']:.0f} MiB")
PY
