#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz/ and runs one of them for a while:
#   fuzz/run.sh reader|evaluator|dxf [SECONDS] [extra libFuzzer options…]
# One worker; new inputs go to build-fuzz/corpus/TARGET (the checked-in seeds in
# fuzz/corpus/TARGET are read, never written); crashes, timeouts and leaks go to
# build-fuzz/findings/TARGET.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
target=${1:?usage: fuzz/run.sh reader|evaluator|dxf [SECONDS]}
seconds=${2:-60}
shift; [ $# -gt 0 ] && shift
case "$target" in reader|evaluator|dxf) ;; *) echo "fuzz: unknown target $target" >&2; exit 2 ;; esac

dir=$ROOT/build-fuzz
if [ ! -f "$dir/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$ROOT" -B "$dir" -G Ninja -DKELTORA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
fi
cmake --build "$dir" -j2 --target "fuzz_$target" >&2

mkdir -p "$dir/corpus/$target" "$dir/findings/$target"
# The engine runs on a stack of its own (lisp/core/stack_guard.cpp) and tells ASan about each
# switch; fake stacks for use-after-return would not survive those switches, so they are off.
export ASAN_OPTIONS="detect_stack_use_after_return=0:detect_leaks=1:${ASAN_OPTIONS:-}"
export LSAN_OPTIONS="suppressions=$ROOT/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
max_len=4096; [ "$target" = dxf ] && max_len=65536
dict=()
[ -f "$ROOT/fuzz/$target.dict" ] && dict=(-dict="$ROOT/fuzz/$target.dict")
exec "$dir/bin/fuzz_$target" "$dir/corpus/$target" "$ROOT/fuzz/corpus/$target" \
  -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -max_len="$max_len" \
  -artifact_prefix="$dir/findings/$target/" -print_final_stats=1 "${dict[@]}" "$@"
