#!/usr/bin/env bash
# tools/wine-env's prefix: made whole, made again when a file of it is lost later, and a
# set-up that cannot work fails with one line, puts nothing in place and leaves no Xvfb.
#   tests/tools/wine_env_test.sh SCRATCH_FOLDER
set -uo pipefail
tools=$(cd "$(dirname "$0")/../../tools" && pwd)
scratch=${1:?scratch folder}
fail() { echo "FAIL: $*"; exit 1; }
rm -rf "$scratch"
mkdir -p "$scratch/win64" "$scratch/win32" "$scratch/bin"
unset DISPLAY
prefix=$scratch/win64/wineprefix

"$tools/with-wine" "$scratch/win64" true || fail "the first set-up"
[ -f "$prefix/.mirel-whole" ] || fail "no marker after the set-up"
ls -d "$prefix".new.* 2>/dev/null && fail "a temporary prefix was left"
rm "$prefix/drive_c/windows/system32/kernel32.dll"
out=$("$tools/with-wine" "$scratch/win64" bash -c '"$WINE" cmd /c echo again' 2>&1)
[ "$(tr -d '\r' <<<"$out")" = again ] || fail "a damaged prefix was not made again: $out"

# A loader that runs nothing (wine-env takes wine32 from PATH): both tries fail at the test
# program. It notes the display it was given, to show that the Xvfb is gone afterwards.
"$tools/can-run-i686" >/dev/null || { echo "no wine32 here: the failing set-up is not tried"; exit 0; }
printf '#!/bin/sh\necho "$DISPLAY" >>"%s"\nexit 1\n' "$scratch/displays" >"$scratch/bin/wine"
chmod +x "$scratch/bin/wine"
err=$(PATH="$scratch/bin:$PATH" "$tools/with-wine" "$scratch/win32" true 2>&1) && fail "a set-up that cannot work passed"
[ "$(wc -l <<<"$err")" -eq 1 ] || fail "not one line: $err"
target=$scratch/win32/wineprefix
grep -qF "could not set up the Wine prefix $target (the test run of 'wine cmd /c echo ok' failed twice" <<<"$err" &&
  grep -qF "rm -rf $target" <<<"$err" || fail "unclear message: $err"
[ ! -e "$target" ] || fail "a half-made prefix was put in place"
for display in $(sort -u "$scratch/displays"); do
  [ ! -e "/tmp/.X${display#:}-lock" ] || fail "the Xvfb on $display is still running"
done
echo "wine-env prefix set-up: ok"
