# Sourced by the scripts: makes sure the Debian packages they need are present.
# As root it installs what is missing; otherwise it prints the apt-get line.

softblit_require_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    if [ "$(id -u)" -eq 0 ]; then
        echo "softblit: installing ${missing[*]}"
        DEBIAN_FRONTEND=noninteractive apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    else
        echo "softblit: missing packages; run as root:"
        echo "  apt-get install -y ${missing[*]}"
        exit 1
    fi
}

# Everything the library, its tests, tools, demo and benchmarks build against.
# The benchmark-only peers (pixman, SDL2_ttf, SDL2_gfx) are listed too so the
# benchmark builds from a fresh clone; the X server tools run the real-window
# tests.
SOFTBLIT_BUILD_PACKAGES=(cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
    libgtest-dev libbenchmark-dev libpixman-1-dev libsdl2-dev libsdl2-ttf-dev
    libsdl2-gfx-dev libfreetype-dev libpng-dev fonts-dejavu-core
    netpbm imagemagick xvfb xauth xdotool x11-utils valgrind)

# What the demo alone needs to build and run (scripts/demo.sh).
SOFTBLIT_DEMO_PACKAGES=(cmake ninja-build g++ pkg-config libsdl2-dev libfreetype-dev
    libpng-dev fonts-dejavu-core)
