#!/usr/bin/env bash
# The benchmarks of docs/performance.md, in one command (make bench):
#   1. quillet-cli against an awk program, a Python 3 script and the floor (list the folder,
#      copy a ready-made file of the script's size), with hyperfine, on folders of 10,000 and
#      100,000 entries in tmpfs;
#   2. the core's own benchmarks (Google Benchmark): the expansion on 4 KiB and 64 KiB base
#      scripts in both code-page modes beside a plain copy, sorting a large listing, and what
#      one write call per piece costs;
#   3. quillet-cli's peak memory for 1,000,000 entries (/usr/bin/time -v).
# Everything is built with the release preset. The tables are printed and written to
# build/release/bench/results.md.
#
#   scripts/bench.sh [--profile]    --profile: also a perf profile of the 100,000-entry run
#
# Environment: RUNS (hyperfine runs per command, default 20), JOBS (build jobs, default 2),
# KEEP=1 keeps the benchmark folder.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD

profile=0
[[ "${1:-}" == "--profile" ]] && profile=1
runs=${RUNS:-20}

./scripts/install-deps.sh --bench
cmake --preset release -DQUILLET_BUILD_BENCHMARKS=ON -DQUILLET_BUILD_TESTS=OFF >/dev/null
cmake --build --preset release -j "${JOBS:-2}"

cli=$source_dir/build/release/cli/quillet-cli
core_bench=$source_dir/build/release/bench/core_bench
results_dir=$source_dir/build/release/bench
results=$results_dir/results.md
python=$(command -v /usr/bin/python3 || command -v python3)
awk_path=$(readlink -f "$(command -v awk)")

# A folder in tmpfs, so that the disk is not what is measured.
mounted=""
if [[ "$(stat -f -c %T /dev/shm 2>/dev/null || true)" == "tmpfs" && -w /dev/shm ]]; then
    work=$(mktemp -d /dev/shm/quillet-bench.XXXXXX)
    where="tmpfs (/dev/shm)"
else
    work=$(mktemp -d)
    if ((EUID == 0)) && mount -t tmpfs -o size=4g tmpfs "$work" 2>/dev/null; then
        mounted=$work
        where="tmpfs (mounted for the benchmark)"
    else
        where="NOT tmpfs: $(stat -f -c %T "$work") at $work; the disk is measured too"
        echo "WARNING: no tmpfs available; results include the disk." >&2
    fi
fi
cleanup() {
    if [[ "${KEEP:-0}" == 1 ]]; then
        echo "Kept $work" >&2
        return
    fi
    [[ -n "$mounted" ]] && umount "$mounted"
    rm -rf "$work"
}
trap cleanup EXIT

# A typical base script: about 250 bytes, CR LF, all four placeholders.
printf '%s\r\n' \
    '; <TARGET_FNAMEEXT>' \
    'OPEN "<TARGET_FILEPATH>"' \
    'ZOOM E' \
    'AUDIT Y' \
    '-PLOT Y Model "PDF plotter.pc3" "A3 sheet (420.0 x 297.0 mm)" M L N E 1:1 C Y "monochrome.ctb" Y N N Y "<TARGET_FOLDER>/pdf/<TARGET_FNAMETITLE>.pdf" N Y' \
    '-PURGE A * N' \
    'QSAVE' \
    'CLOSE' >"$work/base.scr"
# The default header and footer, for the programs that do not have them built in.
printf '%s\r\n' ';---- HEADER' 'CMDDIA 0' 'FILEDIA 0' 'PROXYNOTICE 0' ';---- MAIN SCRIPT' \
    >"$work/header.scr"
printf '%s\r\n' ';---- FOOTER' 'NEW .' 'PROXYNOTICE 1' 'FILEDIA 1' 'CMDDIA 1' >"$work/footer.scr"

make_folder() {  # make_folder DIR COUNT: empty drawings named drawing-0000001.dwg ...
    mkdir -p "$1"
    "$python" - "$1" "$2" <<'EOF'
import os, sys
folder, count = sys.argv[1], int(sys.argv[2])
for index in range(count):
    os.close(os.open(os.path.join(folder, "drawing-%07d.dwg" % index), os.O_CREAT | os.O_WRONLY, 0o644))
EOF
}

median() {  # median JSON NAME: the median of one command in a hyperfine export, in seconds
    "$python" - "$1" "$2" <<'EOF'
import json, sys
for result in json.load(open(sys.argv[1]))["results"]:
    if result["command"] == sys.argv[2]:
        print(result["median"])
EOF
}

{
    echo "## Results"
    echo
    echo "- Date: $(date -u '+%Y-%m-%d %H:%M UTC'); commit $(git rev-parse --short HEAD 2>/dev/null || echo '?')"
    echo "- Machine: $(nproc) CPUs ($(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')), load average at start $(cut -d' ' -f1-3 /proc/loadavg)"
    echo "- Folder: $where; base script $(wc -c <"$work/base.scr") bytes"
    echo "- Tools: $(hyperfine --version), awk = $awk_path, $("$python" --version), $(g++ --version | head -1)"
    echo
} >"$results"

for count in 10000 100000; do
    folder=$work/d$count
    make_folder "$folder" "$count"
    # Every program writes the same bytes: quillet-cli's script is the reference.
    "$cli" -y --code-page none "$work/base.scr" "$folder" "$work/quillet.out" 2>/dev/null
    awk -v base="$work/base.scr" -v folder="$folder" -v header="$work/header.scr" \
        -v footer="$work/footer.scr" -v out="$work/awk.out" -f bench/alternatives/generate.awk
    "$python" bench/alternatives/generate.py "$work/base.scr" "$folder" "$work/python.out" \
        "$work/header.scr" "$work/footer.scr"
    cmp "$work/quillet.out" "$work/awk.out"
    cmp "$work/quillet.out" "$work/python.out"
    cp "$work/quillet.out" "$work/ready.scr"
    bytes=$(wc -c <"$work/ready.scr")

    json=$results_dir/whole-$count.json
    hyperfine --warmup 3 --runs "$runs" --export-json "$json" \
        -n quillet-cli "'$cli' -y --code-page none '$work/base.scr' '$folder' '$work/quillet.out'" \
        -n awk "awk -v base='$work/base.scr' -v folder='$folder' -v header='$work/header.scr' -v footer='$work/footer.scr' -v out='$work/awk.out' -f '$source_dir/bench/alternatives/generate.awk'" \
        -n python3 "'$python' '$source_dir/bench/alternatives/generate.py' '$work/base.scr' '$folder' '$work/python.out' '$work/header.scr' '$work/footer.scr'" \
        -n floor "ls -f '$folder' >/dev/null && cat '$work/ready.scr' >'$work/floor.out'"

    quillet=$(median "$json" quillet-cli)
    {
        echo "### Whole process, $count entries ($bytes bytes of script, $runs runs each)"
        echo
        echo "| Command | Median | Ratio to quillet-cli |"
        echo "|---|---:|---:|"
        for name in quillet-cli awk python3 floor; do
            value=$(median "$json" "$name")
            awk -v n="$name" -v v="$value" -v q="$quillet" \
                'BEGIN { printf "| %s | %.1f ms | %.2f |\n", n, v * 1000, v / q }'
        done
        echo
    } >>"$results"

    if ((profile == 1 && count == 100000)) && command -v perf >/dev/null; then
        perf record -q -g -o "$results_dir/perf.data" \
            "$cli" -y --code-page none "$work/base.scr" "$folder" "$work/quillet.out" 2>/dev/null
        {
            echo "### Profile of quillet-cli, $count entries"
            echo
            echo "perf, share of samples with the function on the stack (children) and in it (self):"
            echo
            echo '```'
            perf report -i "$results_dir/perf.data" --children --stdio --sort symbol -g none \
                2>/dev/null | grep -E '^ +[0-9]' | grep -v '\] 0x' | awk 'NR <= 25' | cut -c1-100
            echo '```'
            echo
        } >>"$results"
    fi
    rm -rf "$folder"
done

QUILLET_BENCH_DIR=$work "$core_bench" --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true --benchmark_format=json \
    --benchmark_out="$results_dir/core.json" --benchmark_out_format=json >/dev/null
"$python" - "$results_dir/core.json" >>"$results" <<'EOF'
import json, sys
rows = [b for b in json.load(open(sys.argv[1]))["benchmarks"] if b.get("aggregate_name") == "median"]
print("### Core (Google Benchmark, median of 5)")
print()
print("| Benchmark | Real time | CPU time | Throughput per CPU second |")
print("|---|---:|---:|---:|")

def duration(value, unit):
    seconds = value * {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[unit]
    for scale, name in ((1.0, "s"), (1e-3, "ms"), (1e-6, "µs")):
        if seconds >= scale:
            return "%.3g %s" % (seconds / scale, name)
    return "%.3g ns" % (seconds / 1e-9)

for b in rows:
    name = b["run_name"]
    if "label" in b:
        name += " (" + b["label"] + ")"
    if "bytes_per_second" in b:
        rate = "%.2f GB/s" % (b["bytes_per_second"] / 1e9)
    elif "items_per_second" in b:
        rate = "%.2f M items/s" % (b["items_per_second"] / 1e6)
    else:
        rate = ""
    print("| %s | %s | %s | %s |" % (name, duration(b["real_time"], b["time_unit"]),
                                    duration(b["cpu_time"], b["time_unit"]), rate))
print()
EOF

folder=$work/d1000000
make_folder "$folder" 1000000
/usr/bin/time -v "$cli" -y --code-page none "$work/base.scr" "$folder" "$work/quillet.out" \
    2>"$results_dir/time-1000000.txt" >/dev/null || true
peak=$(awk -F: '/Maximum resident set size/ { gsub(/ /, "", $2); print $2 }' \
    "$results_dir/time-1000000.txt")
elapsed=$(awk '/Elapsed \(wall clock\)/ { print $NF }' "$results_dir/time-1000000.txt")
{
    echo "### Peak memory, 1,000,000 entries"
    echo
    echo "| Program | Maximum resident set size | Wall clock |"
    echo "|---|---:|---:|"
    awk -v k="$peak" -v e="$elapsed" \
        'BEGIN { printf "| quillet-cli | %.1f MiB (%d KiB) | %s |\n", k / 1024, k, e }'
    echo
} >>"$results"

cat "$results"
echo "Written to $results"
