#!/usr/bin/env bash
# Fails when a file under the given source root includes a header of a higher subsystem.
# Order, lowest first: platform math model labels plot dialogs shell.
set -u
root=${1:?source root}
order=(platform math model labels plot dialogs shell)
declare -A rank
for i in "${!order[@]}"; do rank[${order[$i]}]=$i; done

status=0
for sub in "${order[@]}"; do
    [[ -d "$root/$sub" ]] || continue
    own=${rank[$sub]}
    while IFS= read -r -d '' file; do
        while IFS= read -r line; do
            inc=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/' <<<"$line")
            if [[ "$inc" == */* ]]; then
                target=${inc%%/*}
                if [[ -n "${rank[$target]+x}" && ${rank[$target]} -gt $own ]]; then
                    echo "$file: includes $inc from the higher subsystem '$target'"
                    status=1
                fi
            elif [[ ! -e "$(dirname "$file")/$inc" ]]; then
                echo "$file: includes \"$inc\", which is not in its own folder; name the subsystem folder"
                status=1
            fi
        done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file")
    done < <(find "$root/$sub" -type f \( -name '*.h' -o -name '*.cpp' \) -print0)
done
exit $status
