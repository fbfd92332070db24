#!/usr/bin/env bash
# The pictures in host/resources are exactly what tools/assets/make_assets.py makes.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
python3 "$root/tools/assets/make_assets.py" "$work" || exit 1
status=0
for made in "$work"/*; do
    name=$(basename "$made")
    if ! cmp -s "$made" "$root/host/resources/$name"; then
        echo "host/resources/$name differs from what the generator makes (run tools/assets/make_assets.py)"
        status=1
    fi
done
echo "$(ls "$work" | wc -l) generated pictures checked"
exit $status
