# Installs with apt-get what the build needs and is not on the machine yet.
# Usage: . scripts/deps.sh; install_deps run|test
install_deps() {
    local want=(cmake ninja-build g++ qt6-base-dev libgl-dev libgtest-dev nlohmann-json3-dev zlib1g-dev qt6-translations-l10n)
    # qt6-translations-l10n: Qt's own Italian texts for the standard dialogs and buttons.
    # Tests: the benchmarks are built too (so they keep compiling), and a virtual display
    # serves the pictures of the windows.
    # xmllint (libxml2-utils) validates the LandXML export against its schema; qpdf checks
    # the structure of the PDF files written.
    if [ "${1:-}" = test ]; then want+=(libbenchmark-dev xvfb xauth python3-ezdxf libxml2-utils qpdf poppler-utils); fi
    if [ "${1:-}" = run ]; then want+=(xvfb xauth); fi
    local missing=()
    for p in "${want[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -eq 0 ]; then return 0; fi
    echo "Installazione di: ${missing[*]}"
    if ! command -v apt-get >/dev/null 2>&1; then
        echo "apt-get non disponibile: installare a mano ${missing[*]}" >&2
        return 1
    fi
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo=sudo; fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null >/dev/null
}
