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
unformatted=()
for f in "${files[@]}"; do
    "$FORMAT" --dry-run --Werror "$f" >/dev/null 2>&1 || unformatted+=("$f")
done
if [ ${#unformatted[@]} -ne 0 ]; then
    echo "Not formatted as .clang-format asks (scripts/check-format.sh --fix formats them):"
    printf '  %s\n' "${unformatted[@]}"
    exit 1
fi
echo "All ${#files[@]} source files are formatted."
