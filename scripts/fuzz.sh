#!/usr/bin/env bash
# Runs the libFuzzer targets of build-fuzz/ one after another.
#
#   scripts/fuzz.sh [--check] [TARGET...]
#
# Without --check each target fuzzes for FUZZ_SECONDS seconds (60 unless set) from its seed
# corpus (fuzz/corpus/NAME) and what earlier runs found (build-fuzz/corpus/NAME, where new
# entries go). With --check each target first runs every seed once, then fuzzes for
# FUZZ_SECONDS (20 unless set) from the seeds into a scratch directory that is thrown away:
# the bounded run the test command makes; a failing seed ends its target's run. Either way
# crashes are written to build-fuzz/artifacts/ and the script fails when any target failed.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
check=0
if [ "${1:-}" = "--check" ]; then
    check=1
    shift
fi
seconds=${FUZZ_SECONDS:-$([ $check = 1 ] && echo 20 || echo 60)}

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for f in "$root"/fuzz/corpus/*/; do targets+=("$(basename "$f")"); done
fi

mkdir -p "$build/artifacts"
scratch=""
if [ $check = 1 ]; then
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
fi

# Every input has a time limit, and a single allocation beyond 512 MB is a finding: no
# small form, grid or script needs one.
common=(-timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=512 -print_final_stats=1)
# And every run a hard one, should a target stop answering altogether.
bounded() { timeout -k 10 "$1" "${@:2}"; }

failed=()
for name in "${targets[@]}"; do
    bin="$build/bin/fuzz_$name"
    seeds="$root/fuzz/corpus/$name"
    if [ ! -x "$bin" ] || [ ! -d "$seeds" ]; then
        echo "fuzz: no target $name (build $bin, seeds in $seeds)" >&2
        failed+=("$name")
        continue
    fi
    options=("${common[@]}" "-artifact_prefix=$build/artifacts/$name-")
    [ -f "$root/fuzz/$name.dict" ] && options+=("-dict=$root/fuzz/$name.dict")

    echo "=== fuzz_$name: ${seconds}s"
    ok=1
    if [ $check = 1 ]; then
        # Every seed once, on its own: a seed that fails names itself.
        bounded 300 "$bin" "${common[@]}" "-artifact_prefix=$build/artifacts/$name-seed-" \
            "$seeds"/* >"$build/fuzz_$name.seeds.log" 2>&1 || {
            grep -E '^Running:|^finding:|runtime error|Assertion|^SUMMARY' \
                "$build/fuzz_$name.seeds.log" | tail -n 6
            ok=0
        }
        corpus="$scratch/$name"
    else
        corpus="$build/corpus/$name"
    fi
    mkdir -p "$corpus"
    if [ $ok = 1 ]; then
        bounded $((seconds + 120)) "$bin" "${options[@]}" -max_total_time="$seconds" \
            "$corpus" "$seeds" \
            >"$build/fuzz_$name.log" 2>&1 || ok=0
        grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' \
            "$build/fuzz_$name.log"
        [ $ok = 1 ] || grep -E '^finding:|runtime error|Assertion|^==[0-9]+==|^SUMMARY|Test unit' \
            "$build/fuzz_$name.log" | head -n 12
    fi
    [ $ok = 1 ] || failed+=("$name")
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: failed: ${failed[*]} (logs in $build/fuzz_NAME*.log, inputs in $build/artifacts/)" >&2
    exit 1
fi
echo "fuzz: all ${#targets[@]} targets passed"
