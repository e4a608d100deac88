#!/usr/bin/env bash
# Checks every tracked C++ file against the repository's .clang-format; lists the files that
# differ and fails when there is any. Fix them with: clang-format -i FILE...
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang-format >/dev/null; then
  echo "check-format: clang-format is not installed" >&2
  exit 1
fi
mapfile -t files < <(git ls-files -- '*.cpp' '*.h' '*.hpp' '*.cc')
# One run over all files: each difference is reported as "FILE:LINE:COLUMN: error: ...".
report=$(clang-format --style=file --dry-run --Werror "${files[@]}" 2>&1 >/dev/null || true)
mapfile -t offending < <(printf '%s\n' "$report" | sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: .*/\1/p' | sort -u)
if [ ${#offending[@]} -gt 0 ]; then
  echo "check-format: ${#offending[@]} of ${#files[@]} files are not formatted:" >&2
  printf '  %s\n' "${offending[@]}" >&2
  exit 1
fi
if [ -n "$report" ]; then
  # Something else went wrong (a file that cannot be read, a bad .clang-format).
  printf '%s\n' "$report" >&2
  exit 1
fi
echo "check-format: ${#files[@]} files formatted"
