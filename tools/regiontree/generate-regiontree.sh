#!/usr/bin/env bash
# Regenerates src/refdata/data/regiontree.json, the built-in region tree.
# Run by hand when the administrative divisions change; the build never runs it.
# It installs the division data package into a scratch folder under /tmp and
# leaves the repository untouched except for the generated file.
set -euo pipefail

PACKAGE="china-division@2.7.0"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
output="$repo/src/refdata/data/regiontree.json"

scratch="$(mktemp -d /tmp/regiontree.XXXXXX)"
trap 'rm -rf "$scratch"' EXIT

(cd "$scratch" && npm init -y >/dev/null && npm install --silent --no-audit --no-fund "$PACKAGE")

node "$here/generate.js" "$scratch/node_modules/china-division/dist" "$output.tmp"
mv "$output.tmp" "$output"
echo "written: $output"
