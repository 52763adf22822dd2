#!/usr/bin/env bash
# Installs what the tool needs on Debian 12, builds it, then runs it ("run") or its tests ("test").
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  qt6-base-dev qt6-serialport-dev libgl-dev
  libbenchmark-dev xvfb xauth poppler-utils hyperfine fonts-dejavu-core
  qt6-translations-l10n qt6-charts-dev libqt6opengl6-dev
)

install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() { # build folder, extra cmake arguments
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir"
}

mode=${1:-}
case "$mode" in
run)
  install_packages
  build build
  exec scripts/run-with-sim.sh
  ;;
test)
  install_packages
  build build
  (cd build && ctest --output-on-failure)
  build build-asan -DCMAKE_BUILD_TYPE=Debug -DDORV_SANITIZE=ON
  (cd build-asan && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure)
  ;;
*)
  echo "usage: $0 run|test" >&2
  exit 2
  ;;
esac
