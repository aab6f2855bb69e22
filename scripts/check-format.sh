#!/bin/bash
# Checks that every tracked C++ source file is formatted as the committed
# .clang-format asks; lists the files that are not and exits non-zero.
# With --fix, formats them in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."
FORMAT=${CLANG_FORMAT:-clang-format-14}
command -v "$FORMAT" >/dev/null || {
    echo "$FORMAT is not installed" >&2
    exit 2
}
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
    "$FORMAT" -i "${files[@]}"
    exit 0
fi
# A few runs over many files each, side by side (one run per file spent
# most of its time starting clang-format). A file that is not formatted
# shows in its diagnostics as "FILE:LINE:COLUMN: error: ...".
rc=0
output=$(printf '%s\0' "${files[@]}" | xargs -0 -P "$(nproc)" -n 50 "$FORMAT" --dry-run --Werror 2>&1) ||
    rc=$?
mapfile -t unformatted < <(printf '%s\n' "$output" | sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: .*/\1/p' | sort -u)
if [ "$rc" -ne 0 ] && [ ${#unformatted[@]} -eq 0 ]; then
    printf '%s\n' "$output" | head -20
    echo "$FORMAT failed (exit $rc)" >&2
    exit 2
fi
if [ ${#unformatted[@]} -ne 0 ]; then
    echo "Not formatted as .clang-format asks (scripts/check-format.sh --fix formats them):"
    printf '  %s\n' "${unformatted[@]}"
    exit 1
fi
echo "All ${#files[@]} source files are formatted."
