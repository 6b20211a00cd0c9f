# Shared pieces of the scripts: package installation and the build.

PELMORA_PACKAGES=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev qt6-image-formats-plugins
  libcurl4-openssl-dev libxlsxwriter-dev libcpp-httplib-dev
  libbenchmark-dev libsimdjson-dev
  clang libclang-rt-14-dev g++-mingw-w64-x86-64
  unzip xvfb xauth
)

install_missing() {
  local missing=()
  for p in "${PELMORA_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure_and_build() {
  local dir=$1; shift
  local cfg=() build=()
  while [ $# -gt 0 ]; do
    case "$1" in
      --target) build+=(--target "$2"); shift 2 ;;
      *) cfg+=("$1"); shift ;;
    esac
  done
  cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" "${cfg[@]}" >/dev/null
  cmake --build "$dir" -j"$(nproc)" "${build[@]}"
}

# The Windows-only sources must compile with the mingw-w64 cross compiler.
windows_compile_check() {
  local cxx=x86_64-w64-mingw32-g++-posix
  command -v "$cxx" >/dev/null || cxx=x86_64-w64-mingw32-g++
  local f
  for f in $(git ls-files 'src/*_win.cpp' 2>/dev/null || ls src/*/*_win.cpp); do
    echo "mingw-w64: $f"
    "$cxx" -std=c++20 -Wall -fsyntax-only -Isrc "$f"
  done
}
