#!/usr/bin/env bash
# Fuzzing: builds every libFuzzer target in the sanitized build of
# build-fuzz/ (clang, AddressSanitizer, UndefinedBehaviorSanitizer,
# bounds-checked standard containers; CI has built it whole already) and
# runs each for a fixed time on its seed corpus in fuzz/corpus/TARGET/. Any crash, sanitizer report, abort or input slower than
# the time limit fails the check; the input that caused it is kept in
# build-fuzz/findings/.
# FUZZ_SECONDS sets the time per target (default 20), SB_BUILD_DIR the build
# folder (default build-fuzz).
SB_BUILD_DIR=${SB_BUILD_DIR:-build-fuzz}
. "$(dirname "$0")/../lib/common.sh"

seconds=${FUZZ_SECONDS:-20}
targets=(field_reader_fuzz line_compiler_fuzz compile_fuzz decompile_fuzz lsp_fuzz lsp_session_fuzz)

. .ci/lib/sanitized.sh
configure_sanitized "$build"
cmake --build "$build" -j2 --target "${targets[@]}"

findings="$build"/findings
mkdir -p "$findings"
for target in "${targets[@]}"; do
  corpus=fuzz/corpus/${target%_fuzz}
  # New inputs go to a scratch folder, so the committed corpus stays as it is.
  scratch=$(mktemp -d)
  echo "== $target: ${seconds}s on $corpus"
  if ! "$build"/bin/"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$findings/$target-" "$scratch" "$corpus" >"$findings/$target.log" 2>&1; then
    fail "$target (inputs in $findings/):"
    grep -m 20 -E "ERROR|runtime error|SUMMARY|Test unit written|deadly signal|timeout" "$findings/$target.log"
  else
    grep -m 2 -E "^Done|stat::number_of_executed_units" "$findings/$target.log"
  fi
  rm -rf "$scratch"
done
finish "every target ran its time without a finding"
