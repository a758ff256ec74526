#!/usr/bin/env bash
# tools/test's release tier: a tier that dies after writing a passing line has failed, and
# a summary file that an earlier run left is never read as this run's.
#   tests/tools/test_command_test.sh SCRATCH_FOLDER
set -uo pipefail
source_tools=$(cd "$(dirname "$0")/../../tools" && pwd)
scratch=${1:?scratch folder}
fail() { echo "FAIL: $*"; exit 1; }
rm -rf "$scratch"
mkdir -p "$scratch/tools"
cp "$source_tools/test" "$scratch/tools/test"
# shellcheck source=../../tools/test
source "$scratch/tools/test"  # defines the tiers and moves to the scratch folder
mkdir -p "$logs" build/release-test
fresh() { passed=0 failed=0 skipped=0 summary=(); }

killed_half_way() { echo "packaging: passed" >build/release-test/summary; return 1; }
fresh
run_release killed_half_way >/dev/null
[ "$failed" -eq 1 ] || fail "a release tier that exited 1 counted no failure: ${summary[*]}"

died_at_once() { return 137; }
fresh
echo "x86_64: passed" >build/release-test/summary  # an earlier run's
run_release died_at_once >/dev/null
[ "$failed" -eq 1 ] && [ "$passed" -eq 0 ] || fail "an earlier run's summary was read: ${summary[*]}"

sound() { printf 'packaging: passed\ni686: NOT RUN: no wine32\n' >build/release-test/summary; }
fresh
run_release sound >/dev/null
[ "$passed" -eq 1 ] && [ "$skipped" -eq 1 ] && [ "$failed" -eq 0 ] || fail "a sound run: ${summary[*]}"
echo "tools/test's release tier: 3 passed, 0 failed"
