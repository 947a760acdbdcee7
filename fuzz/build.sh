#!/bin/sh
# Builds the reader fuzz targets with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer. A build of its own, outside the test suite.
# The largest Size a file may announce is lowered to 1,000,000 words here:
# with the real limit most of the time went into zero-filling 400 MB memories.
#   fuzz/build.sh [OUTDIR]       (default: build-files/fuzz)
# Run one, e.g.:
#   nice -n 19 OUTDIR/FuzzPulseText OUTDIR/corpus-PulseText tests/files/corpus \
#        -rss_limit_mb=2048 -max_len=65536 -max_total_time=600
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
out=${1:-$root/build-files/fuzz}
mkdir -p "$out"
cxx=${CXX_FUZZ:-clang++-14}
flags="-std=c++20 -O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I$root/src -DNIVARA_FILE_VERSION=\"2.2.0.0\" -DNIVARA_MAX_FILE_WORDS=1000000"
# The library code once, then one executable per target.
objects=""
for source in "$root"/src/files/*.cpp "$root"/src/document/*.cpp; do
  object="$out/$(basename "$(dirname "$source")")_$(basename "$source" .cpp).o"
  $cxx $flags -fsanitize=fuzzer-no-link -c "$source" -o "$object"
  objects="$objects $object"
done
for target in "$here"/Fuzz*.cpp; do
  name=$(basename "$target" .cpp)
  $cxx $flags "$target" $objects -o "$out/$name"
  mkdir -p "$out/corpus-${name#Fuzz}"
  echo "built $out/$name"
done
