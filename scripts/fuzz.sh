#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build/fuzz and runs each for the
# given number of seconds (default 60), starting from the shipped layout.
# Crashes are left in build/fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build/fuzz

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNEX_FUZZ=ON >/dev/null
cmake --build "$build" --target tarnex_fuzzers -- -j2

mkdir -p "$build/findings"
status=0
# fuzzer:longest input. Packed layouts are read up to 40960 bytes; profile
# text is scanned once per reader, so shorter inputs give more runs.
for entry in fuzz_layout_unscramble:45000 fuzz_profile_text:4096; do
    fuzzer=${entry%%:*}
    corpus="$build/corpus/$fuzzer"
    mkdir -p "$corpus"
    cp layouts/a320cfm-basic.ini "$corpus/seed-layout"
    echo "Running $fuzzer for ${seconds}s"
    "$build/tests/fuzz/$fuzzer" -max_total_time="$seconds" -max_len="${entry##*:}" -print_final_stats=1 \
        -artifact_prefix="$build/findings/$fuzzer-" "$corpus" >"$build/$fuzzer.log" 2>&1 || {
        status=1
        tail -n 40 "$build/$fuzzer.log"
    }
    grep -E '^stat::number_of_executed_units' "$build/$fuzzer.log" || true
done
exit $status
