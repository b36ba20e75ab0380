#!/usr/bin/env bash
# Writes the figures table of ./dev bench (Markdown) from the benchmark programs' JSON files and
# the FIGURE lines of the Wine run, all in the results directory given as $1.
set -euo pipefail
results=$1

# "name|real_time|unit|bytes_per_second|patch_bytes" per benchmark, from every JSON file (Google
# Benchmark writes one field per line).
rows() {
  local f
  for f in "$results"/*.json; do
    [ -f "$f" ] || continue
    awk '
      function value(line) { sub(/^[^:]*: */, "", line); sub(/,$/, "", line); gsub(/"/, "", line); return line }
      /^ *"benchmarks": \[/ { inside = 1 }
      !inside { next }
      /^ *"name": / { name = value($0); time = ""; unit = ""; bytes = ""; patch = "" }
      /^ *"real_time": / { time = value($0) }
      /^ *"time_unit": / { unit = value($0) }
      /^ *"bytes_per_second": / { bytes = value($0) }
      /^ *"patch_bytes": / { patch = value($0) }
      /^ *}/ && name != "" { print name "|" time "|" unit "|" bytes "|" patch; name = "" }' "$f"
  done
}
ROWS=$(rows)

# The real time of benchmark $1 in milliseconds (empty when it did not run).
ms() {
  awk -F'|' -v name="$1" '$1 == name {
    t = $2; u = $3
    if (u == "ns") t /= 1e6; else if (u == "us") t /= 1e3; else if (u == "s") t *= 1e3
    printf "%.4g", t; exit }' <<<"$ROWS"
}

# One comparison row: what, our benchmark, the reference benchmark.
compare() {
  local ours ref
  ours=$(ms "$2"); ref=$(ms "$3")
  [ -n "$ours" ] && [ -n "$ref" ] || return 0
  awk -v what="$1" -v o="$ours" -v r="$ref" \
    'BEGIN { printf "| %s | %s ms | %s ms | %.0f× |\n", what, o, r, (o > 0 ? r / o : 0) }'
}

cpu=$(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo 2>/dev/null || echo unknown)
cores=$(nproc 2>/dev/null || echo "?")
memory=$(awk '/^MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo 2>/dev/null || echo "?")
os=$(. /etc/os-release 2>/dev/null && echo "$PRETTY_NAME" || uname -s)
wine_version=$(wine --version 2>/dev/null || echo "no wine")
load=$(cut -d' ' -f1-3 /proc/loadavg 2>/dev/null || echo "?")

echo "# Figures"
echo
echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $cpu, $cores cores, $memory, $os, $wine_version;"
echo "load average at the end: $load. Native figures: Google Benchmark, \`bench\` preset (-O2)."
echo
echo "## Against the plain way of doing it"
echo
echo "| What | Ours | Plain way | Speed-up |"
echo "|---|---|---|---|"
compare "LZ77 encode, 16 KiB of tiles (full-window search)" "BM_CompressIndexed/16384/0" "BM_CompressReferenceScan/16384/0"
compare "LZ77 encode, 16 KiB drawn sprite (full-window search)" "BM_CompressIndexed/16384/1" "BM_CompressReferenceScan/16384/1"
compare "LZ77 encode, 16 KiB of tiles (short search)" "BM_CompressShort/16384" "BM_CompressReferenceScan/16384/0"
compare "Free space: first fit in 16 MiB (block scan vs 4-byte reads)" "BM_FindBlockScan" "BM_FindWordByWord"
compare "Free space: list of places in 16 MiB" "BM_ListBlockScan" "BM_ListWordByWord"
compare "Text load, 16 KiB (one read vs byte by byte)" "BM_LoadText" "BM_LoadTextByteByByte"
echo
echo "## Decoding"
echo
echo "| What | Time | Throughput |"
echo "|---|---|---|"
for size in 16384 1048576; do
  t=$(ms "BM_Decompress/$size")
  [ -n "$t" ] && awk -v t="$t" -v size="$size" \
    'BEGIN { printf "| LZ77 decode, %d KiB | %s ms | %.0f MB/s |\n", size / 1024, t, size / (t / 1e3) / 1e6 }'
done
echo
echo "## Page passes (FireRed demo ROM)"
echo
echo "| Page | Load pass | Save pass |"
echo "|---|---|---|"
for page in CMonsterRules CEggMoveRules CTrainerRules CMoveRules CItemRules CTypeChartRules CTradeRules CExtrasRules; do
  load=$(ms "BM_PageLoad<$page>"); save=$(ms "BM_PageSave<$page>")
  [ -n "$load" ] && echo "| ${page#C} | $load ms | ${save:-–} ms |"
done
text=$(ms BM_LoadText); [ -n "$text" ] && echo "| Text documents (16 KiB) | $text ms | $(ms BM_SaveText) ms |"
sprites=$(ms BM_DecodeAllMonsters); [ -n "$sprites" ] && echo "| Sprites (every monster decoded) | $sprites ms | $(ms BM_RecompressInPlace) ms (one recompressed in place) |"
echo
echo "## Patches (FireRed demo ROM, 16 MiB)"
echo
echo "| Pair | BPS make | BPS apply | BPS size | IPS make | IPS apply | IPS size |"
echo "|---|---|---|---|---|---|---|"
# The size a patch benchmark counted, in bytes.
size_of() { awk -F'|' -v name="$1" '$1 == name { printf "%.0f", $5; exit }' <<<"$ROWS"; }
pair=0
for what in "200 table bytes changed in place" "a learnset and a sprite moved, pointers rewritten" \
            "grown to 32 MiB, a 1 MiB block moved"; do
  bps=$(ms "BM_BpsMake/$pair")
  if [ -n "$bps" ]; then
    ips="n/a | n/a | n/a"  # IPS cannot reach past 16 MiB
    [ -n "$(ms "BM_IpsMake/$pair")" ] &&
      ips="$(ms "BM_IpsMake/$pair") ms | $(ms "BM_IpsApply/$pair") ms | $(size_of "BM_IpsMake/$pair") B"
    echo "| $what | $bps ms | $(ms "BM_BpsApply/$pair") ms | $(size_of "BM_BpsMake/$pair") B | $ips |"
  fi
  pair=$((pair + 1))
done
echo
echo "## tessaro under Wine"
echo
echo "| What | Measured | Target | |"
echo "|---|---|---|---|"
if [ -f "$results/wine.txt" ]; then
  awk -F'|' '{ sub(/\r$/, "") } $1 == "FIGURE" {
    verdict = ""
    if ($5 ~ /^< /) { split($5, t, " "); verdict = ($3 + 0 < t[2] + 0) ? "met" : "missed" }
    printf "| %s | %s %s | %s | %s |\n", $2, $3, $4, ($5 == "" ? "–" : $5), verdict }' "$results/wine.txt"
else
  echo "| (the Wine run did not take place) | | | |"
fi
echo
echo "## Every benchmark"
echo
echo "| Benchmark | Real time | Unit |"
echo "|---|---|---|"
awk -F'|' '{ printf ($2 >= 10000 ? "| %s | %.0f | %s |\n" : "| %s | %.4g | %s |\n"), $1, $2, $3 }' <<<"$ROWS"
