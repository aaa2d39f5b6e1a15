#!/usr/bin/env bash
# Installs what ZELK needs on Debian (only what is missing) and builds it in ./build.
set -euo pipefail
cd "$(dirname "$0")/.."

# clang and its runtime (libFuzzer) serve the short fuzz run of .ci/run only.
packages=(cmake g++ ninja-build qt6-base-dev libgtest-dev libbenchmark-dev libfftw3-dev xvfb xauth clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi

build_type=${ZELK_BUILD_TYPE:-RelWithDebInfo}
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE="$build_type" -DZELK_WERROR="$werror" -DZELK_BENCH=ON
fi
cmake --build build -j "$(nproc)"
