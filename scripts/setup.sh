# Shared by scripts/run and scripts/test: installs missing Debian packages,
# then configures and builds into build/ (kept between runs for cheap rebuilds).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${KELMORA_BUILD_DIR:-$ROOT/build}"

install_packages() {
    local wanted missing=() pkg
    wanted=$(grep -v '^#' "$ROOT/scripts/packages.txt" | grep -v '^$')
    for pkg in $wanted; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure() {
    cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
}

build_all() {
    configure "$@"
    cmake --build "$BUILD_DIR" --parallel "$(nproc)"
}
