#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while on its
# corpus: scripts/run-fuzzers.sh [seconds per target, default 30] [target...]
# The reader's corpus starts from every description in examples/ and in the
# test fixtures. Crashes are saved under build-fuzz/artifacts/.
set -euo pipefail
QEV_EXTRA_PACKAGES="clang libclang-rt-14-dev ${QEV_EXTRA_PACKAGES:-}"
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(reader nesting split_items wildcard guid
                                     xml_escape bytewrap_names)

out="$repo/build-fuzz"
build_project "$out" -DQEV_FUZZ=ON -DBUILD_TESTING=OFF \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++

mkdir -p "$out/artifacts"
seeds="$out/corpus/reader"
mkdir -p "$seeds"
find "$repo/examples" "$repo/tests/golden/cases" "$repo/fuzz/seeds" -name '*.qev' -type f \
  -exec sh -c 'for f; do cp "$f" "$0/$(cksum <"$f" | cut -d" " -f1).qev"; done' \
  "$seeds" {} +

for target in "${targets[@]}"; do
  corpus="$out/corpus/$target"
  mkdir -p "$corpus"
  options=(-max_total_time="$seconds" -artifact_prefix="$out/artifacts/$target-"
           -print_final_stats=1)
  case $target in
    reader|nesting)
      # A time and memory budget per input: a blow-up is a finding.
      options+=(-dict="$repo/fuzz/qev.dict" -max_len=65536 -timeout=10
                -rss_limit_mb=1024 -malloc_limit_mb=512)
      [ "$target" = nesting ] && cp -n "$seeds"/* "$corpus"/ ;;
    *) options+=(-timeout=10) ;;
  esac
  echo "== fuzzing $target for ${seconds}s"
  log="$out/artifacts/$target.log"
  status=0
  "$out/fuzz/${target}_fuzzer" "${options[@]}" "$corpus" >"$log" 2>&1 || status=$?
  grep -E '^(#[0-9]+ *DONE|stat::number_of_executed_units)' "$log" || true
  if [ "$status" -ne 0 ]; then
    echo "fuzzer $target failed (status $status):"
    tail -n 60 "$log"
    exit 1
  fi
done
