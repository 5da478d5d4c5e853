#!/bin/sh
# Builds the foreign-settings fuzzer with clang in its own folder and runs it
# for a bounded time on a seed corpus made here.
# Usage: run-foreign-fuzzer.sh SOURCE_DIR BUILD_DIR SECONDS
set -eu
source_dir=$1
build_dir=$2
seconds=$3

command -v clang++ >/dev/null 2>&1 || { echo "clang++ not installed: skipped"; exit 77; }
ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 \
    || { echo "libFuzzer not installed: skipped"; exit 77; }

CC=clang CXX=clang++ cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVANTORA_FUZZ=ON >"$build_dir.log" 2>&1 || { cat "$build_dir.log"; exit 1; }
cmake --build "$build_dir" -j2 --target foreignsettings_fuzzer >>"$build_dir.log" 2>&1 || { tail -50 "$build_dir.log"; exit 1; }

corpus="$build_dir/foreign-corpus"
mkdir -p "$corpus"
python3 "$(dirname "$0")/make-foreign-seeds.py" "$corpus"
QT_QPA_PLATFORM=offscreen "$build_dir/bin/foreignsettings_fuzzer" -max_total_time="$seconds" -max_len=4096 \
    -timeout=10 -rss_limit_mb=2048 "$corpus"
