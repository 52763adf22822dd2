#!/usr/bin/env bash
# Installs what the tool needs on Debian 12, builds it, then runs it ("run") or its tests ("test").
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  qt6-base-dev qt6-serialport-dev libgl-dev
  libbenchmark-dev xvfb xauth poppler-utils hyperfine fonts-dejavu-core
  qt6-translations-l10n qt6-charts-dev libqt6opengl6-dev
  desktop-file-utils appstream lintian dpkg-dev file
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

# Runs a step of the test pass, notes its wall time in build/ci-stages.txt, gives its exit status.
stage() { # name, command...
  local name=$1
  shift
  local start end rc=0
  start=$(date +%s.%N)
  echo "=== $name"
  "$@" || rc=$?
  end=$(date +%s.%N)
  awk -v n="$name" -v s="$start" -v e="$end" 'BEGIN { printf "%-58s %6.1f s\n", n, e - s }' \
    | tee -a build/ci-stages.txt
  return $rc
}

# The sanitizer pass: clang with ASan, UBSan and the fuzz targets, building only the test programs,
# the programs they start and the fuzz targets.
build_sanitized() {
  CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DDORV_SANITIZE=ON -DDORV_BUILD_FUZZ=ON >/dev/null
  cmake --build build-asan --target dorv_test_programs dorv_fuzz_targets
}

# Every test of the sanitizer build, the fuzz targets (10 s each) among them, with the leak check;
# three at a time, as most of them wait and only the fuzz targets keep a core busy.
test_sanitized() {
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
    LSAN_OPTIONS="suppressions=$PWD/tests/lsan-suppressions.txt" \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan -j3 --output-on-failure
}

mode=${1:-}
case "$mode" in
run)
  install_packages
  build build
  exec scripts/run-with-sim.sh
  ;;
test)
  mkdir -p build
  : >build/ci-stages.txt
  total_start=$(date +%s.%N)
  stage "packages" install_packages
  # Optimized as RelWithDebInfo (-O2), without the debug information nobody reads here.
  stage "build: tool, tests, benchmarks, icon (-O2)" build build -DDORV_BUILD_BENCH=ON \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG"
  # The tests mostly wait on ticks, ptys and processes: they run while the sanitizer build uses
  # the cores, and their report follows it.
  ctest --test-dir build -j2 --output-on-failure >build/ci-tests.log 2>&1 &
  tests_pid=$!
  stage "sanitizer build (clang): test programs, fuzz targets; tests meanwhile" build_sanitized
  tests_ok=0
  stage "rest of the tests (ctest -j2), the package check among them" wait $tests_pid || tests_ok=$?
  cat build/ci-tests.log
  [ "$tests_ok" -eq 0 ] || exit 1
  stage "tests under ASan/UBSan with leak check (-j3), fuzzing 10 s each" test_sanitized
  awk -v s="$total_start" -v e="$(date +%s.%N)" \
    'BEGIN { printf "%-58s %6.1f s\n", "total", e - s }' | tee -a build/ci-stages.txt
  ;;
*)
  echo "usage: $0 run|test" >&2
  exit 2
  ;;
esac
