#!/usr/bin/env bash
# Runs one end-to-end case: the script through halcyra-headless, and what it printed compared with
# the transcript it must print. A difference fails the case and shows as a unified diff, expected
# against actual.
#
# Standard output is compared as it is. When the program also wrote on standard error or ended
# with a status other than 0, each error line is added as "stderr: LINE" and the status as
# "status N", so that the transcript of a failing script records both.
#
# Usage: run_case.sh PROGRAM CASE.script CASE.out
# With HALCYRA_E2E_UPDATE=1 the transcript is rewritten from what the program printed instead.
set -uo pipefail
program="$1" script="$2" expected="$3"

actual="$(mktemp)" errors="$(mktemp)"
trap 'rm -f "$actual" "$errors"' EXIT

"$program" "$script" >"$actual" 2>"$errors"
status=$?
if [ -s "$errors" ] || [ "$status" -ne 0 ]; then
  sed 's/^/stderr: /' "$errors" >>"$actual"
  echo "status $status" >>"$actual"
fi

if [ "${HALCYRA_E2E_UPDATE:-0}" = 1 ]; then
  cp "$actual" "$expected"
  exit 0
fi
if [ ! -f "$expected" ]; then
  echo "run_case: $expected is missing; this run printed:" >&2
  cat "$actual" >&2
  exit 1
fi
diff -u --label "expected: $(basename "$expected")" --label "actual: $(basename "$script")" \
  "$expected" "$actual"
