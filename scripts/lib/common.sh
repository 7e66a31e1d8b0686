# Shared by scripts/run and scripts/test: install what a fresh Debian machine
# lacks, then configure and build.

NORVO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

NORVO_PACKAGES=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
  libjpeg62-turbo-dev libssl-dev
  fonts-dejavu-core
  curl time bc iproute2 xvfb x11-apps imagemagick xdotool appstream dbus-daemon desktop-file-utils
  at-spi2-core gir1.2-atspi-2.0 python3-gi
  dpkg-dev
)

# norvo_install_deps [more packages...]
norvo_install_deps() {
  local missing=()
  local p
  for p in "${NORVO_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# norvo_build BUILD_DIR [extra cmake args...]
norvo_build() {
  local dir="$1"; shift
  # Later arguments win, so callers may choose another build type.
  cmake -S "$NORVO_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" --parallel "$(nproc)"
}
