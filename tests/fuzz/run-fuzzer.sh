#!/bin/sh
# Builds a fuzzer with clang in its own folder and runs it for a bounded time
# on a seed corpus made here.
# Usage: run-fuzzer.sh pdflibrary|foreignsettings SOURCE_DIR BUILD_DIR SECONDS
set -eu
target=$1
source_dir=$2
build_dir=$3
seconds=$4

case $target in
pdflibrary) seeds=make-seeds.py; options="-max_len=65536 -timeout=20" ;;
foreignsettings) seeds=make-foreign-seeds.py; options="-max_len=4096 -timeout=10" ;;
*) echo "unknown fuzzer $target"; exit 2 ;;
esac

command -v clang++ >/dev/null 2>&1 || { echo "clang++ not installed: skipped"; exit 77; }
ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 \
    || { echo "libFuzzer not installed: skipped"; exit 77; }

CC=clang CXX=clang++ cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVANTORA_FUZZ=ON >"$build_dir.log" 2>&1 || { cat "$build_dir.log"; exit 1; }
cmake --build "$build_dir" -j2 --target "${target}_fuzzer" >>"$build_dir.log" 2>&1 || { tail -50 "$build_dir.log"; exit 1; }

corpus="$build_dir/$target-corpus"
mkdir -p "$corpus"
python3 "$(dirname "$0")/$seeds" "$corpus"
# shellcheck disable=SC2086 # the options are words
QT_QPA_PLATFORM=offscreen "$build_dir/bin/${target}_fuzzer" -max_total_time="$seconds" $options \
    -rss_limit_mb=2048 "$corpus"
