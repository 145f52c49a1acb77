# Sourced by every check first: strict mode, the repository's root as the
# working folder, the build folder of the check (SB_BUILD_DIR, default
# build), and one way to fail: `fail MESSAGE` tells what failed and goes on,
# `finish SUMMARY` ends the check (status 1 when anything failed), and
# `fail_now MESSAGE` ends it at once where going on makes no sense.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."

build=${SB_BUILD_DIR:-build}
check_name=$(basename "$0" .sh)
failures=0

fail() {
  echo "FAIL $check_name: $*" >&2
  failures=$((failures + 1))
}

fail_now() {
  fail "$@"
  exit 1
}

finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$check_name: $failures case(s) failed" >&2
    exit 1
  fi
  echo "$check_name: $*"
}
