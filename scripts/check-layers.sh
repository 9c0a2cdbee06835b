#!/usr/bin/env bash
# Checks that includes run one way: core <- gui/kit <- gui/widgets <- gui/windows. Prints every
# include that runs the other way, or reaches past the core's services into its platform
# layer, and fails when there is one.
set -uo pipefail
src="${1:-$(dirname "$0")/../src}"
status=0

# forbid <folder> <pattern of a forbidden include> <why>
forbid() {
    local found
    found=$(grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($2)" "$src/$1" 2>/dev/null)
    if [[ -n "$found" ]]; then
        printf '%s\n%s\n\n' "$3:" "$found"
        status=1
    fi
}

forbid core 'Q|gui/' "the core shows no window: it includes neither Qt nor gui/"
forbid gui/kit 'gui/widgets/|gui/windows/' "the GUI kit includes no widget or window"
forbid gui/widgets 'gui/windows/' "a widget includes no window"
forbid gui/widgets 'core/platform/' "a widget asks store, browsers or support, never the platform layer"
forbid gui/windows 'core/platform/' "a window asks store, browsers or support, never the platform layer"

exit "$status"
