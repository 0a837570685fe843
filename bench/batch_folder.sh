#!/usr/bin/env bash
# Times velmar-calc --batch from outside, whole processes with /usr/bin/time:
# a folder of FILES input-data files, the bundled examples in turn (a volume,
# an error calculation with its control-point tables, a diameter, a gas
# mixture), against as many single runs of velmar-calc --load; the same with
# the report PDFs against single --report-pdf runs; the peak memory of the
# batch for a quarter, all and four times the files.
#
#   bash bench/batch_folder.sh [VELMAR_CALC [FILES [REPEATS]]]
#
# Each figure is the median of REPEATS runs (default 3). The folders are made
# under a temporary folder on the disk of /tmp and removed afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."
calc="$(realpath "${1:-build/release/velmar-calc}")"
files="${2:-1000}"
repeats="${3:-3}"
cores="$(nproc)"
examples=(gerg91_dry gerg91_error gerg91_diameter mr135_mixture)
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian: apt-get install time)" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# A folder of n files, the examples in turn.
folder() {
  local dir="$work/in_$1"
  if [ ! -d "$dir" ]; then
    mkdir "$dir"
    for ((i = 0; i < $1; i++)); do
      local e="${examples[i % ${#examples[@]}]}"
      cp "examples/$e.vdt" "$dir/$(printf '%05d' "$i")_$e.vdt"
    done
  fi
  echo "$dir"
}

# "wall cpu peak_kib" of one run of the command, in a fresh folder of its own.
measure() {
  local run="$work/run"
  rm -rf "$run" && mkdir "$run"
  local status=0
  (cd "$run" && /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$@" >/dev/null 2>"$work/err") || status=$?
  # 0, 1 and 2 are the tool's answers; anything else is a fault of the run.
  if [ "$status" -gt 2 ]; then cat "$work/err" >&2; exit 1; fi
  tail -n 1 "$work/time" | awk '{ printf "%s %.2f %s\n", $1, $2 + $3, $4 }'
}

# The median of REPEATS measurements, field by field.
median() {
  local runs="$work/runs" m=$(( (repeats + 1) / 2 )) out=""
  : >"$runs"
  for ((r = 0; r < repeats; r++)); do measure "$@" >>"$runs"; done
  for field in 1 2 3; do out+="$(cut -d' ' -f"$field" "$runs" | sort -g | sed -n "${m}p") "; done
  echo "$out"
}

singles() {  # n single runs, options after n
  local n="$1" dir
  shift
  dir="$(folder "$n")"
  median bash -c 'for f in "$0"/*.vdt; do "$1" --decimal-separator , --load "$f" --json "${@:2}" >/dev/null 2>&1 || true; done' \
    "$dir" "$calc" "$@"
}

row() {  # label, files, reports written, jobs (0: one process at a time), "wall cpu peak"
  read -r wall cpu peak <<<"$5"
  local busy=$(( $4 > 0 ? ($4 < cores ? $4 : cores) : 1 ))
  awk -v l="$1" -v n="$2" -v pdf="$3" -v w="$wall" -v c="$cpu" -v p="$peak" -v k="$busy" 'BEGIN {
    rate = pdf > 0 ? sprintf("%.1f", pdf / w / k) : "-"
    printf "| %-38s | %5d | %7.2f | %6.2f | %7.3f | %6s | %6.1f |\n", l, n, w, c, 1000 * w / n, rate, p / 1024 }'
}

echo "velmar-calc: $calc"
echo "machine: $cores cores, $(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo), $(uname -sr)"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg); median of $repeats runs each"
echo
echo "| Run                                    | files | wall, s | cpu, s | ms/file | PDF/s/core | peak, MB |"
echo "|----------------------------------------|------:|--------:|-------:|--------:|-----------:|---------:|"
dir="$(folder "$files")"
reports=$(( files / ${#examples[@]} * ${#examples[@]} ))  # every example's report is enabled
row "$files single runs --load --json" "$files" 0 0 "$(singles "$files")"
row "--batch --json --jobs 1" "$files" 0 1 "$(median "$calc" --decimal-separator , --batch "$dir" --json --jobs 1)"
row "--batch --json --jobs $cores" "$files" 0 "$cores" \
  "$(median "$calc" --decimal-separator , --batch "$dir" --json --jobs "$cores")"
pdfs=$(( files / 10 > 0 ? files / 10 : 1 ))
row "$pdfs single runs --report-pdf" "$pdfs" "$pdfs" 0 "$(singles "$pdfs" --report-pdf report.pdf)"
row "--batch --reports --jobs 1" "$files" "$reports" 1 \
  "$(median "$calc" --decimal-separator , --batch "$dir" --reports out --jobs 1)"
row "--batch --reports --jobs $cores" "$files" "$reports" "$cores" \
  "$(median "$calc" --decimal-separator , --batch "$dir" --reports out --jobs "$cores")"
for n in $(( files / 4 )) $(( files * 4 )); do
  row "--batch --reports --jobs $cores" "$n" $(( n / ${#examples[@]} * ${#examples[@]} )) "$cores" \
    "$(median "$calc" --decimal-separator , --batch "$(folder "$n")" --reports out --jobs "$cores")"
done
echo
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
