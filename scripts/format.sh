#!/usr/bin/env bash
# Formats every C++ source of the repository with its .clang-format.
#   scripts/format.sh          rewrite the files in place
#   scripts/format.sh --check  change nothing; list the files that differ and fail if any do
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -d '' files < <(find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 2>/dev/null | sort -z)

if [[ "${1:-}" == "--check" ]]; then
    bad=()
    for f in "${files[@]}"; do
        clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
    done
    if ((${#bad[@]})); then
        echo "These files are not formatted (run scripts/format.sh):"
        printf '  %s\n' "${bad[@]}"
        exit 1
    fi
    echo "Formatting: ${#files[@]} files checked, all formatted."
else
    clang-format -i "${files[@]}"
fi
