# Installs with apt-get what the build needs and is not on the machine yet.
# Usage: . scripts/deps.sh; install_deps run|test
install_deps() {
    local want=(cmake ninja-build g++ qt6-base-dev libgl-dev libgtest-dev nlohmann-json3-dev)
    if [ "${1:-}" = test ]; then want+=(xvfb xauth python3-ezdxf gdal-bin); fi
    if [ "${1:-}" = run ]; then want+=(xvfb xauth); fi
    local missing=()
    for p in "${want[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installazione di: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -ne 0 ] && sudo=sudo
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
}
