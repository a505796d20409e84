#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
# With --bench also what the benchmarks compare against (tiled's
# tmxrasterizer).
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev make python3
  zlib1g-dev libgtest-dev googletest libbenchmark-dev
  nlohmann-json3-dev libcli11-dev libpng-dev libstb-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix libz-mingw-w64-dev
  wine wine64 fonts-wine xvfb xauth x11-utils xdotool imagemagick
)

if [ "${1:-}" = "--bench" ]; then packages+=(tiled); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
