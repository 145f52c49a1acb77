# Sourced by CI and the fuzz check: the one sanitized build, made with clang
# under AddressSanitizer and UndefinedBehaviorSanitizer with bounds-checked
# standard containers and the fuzzers' coverage. CI builds everything in it
# and runs every test there; the fuzz check then finds its targets built.
# `configure_sanitized FOLDER` installs clang and its runtime when missing
# and configures FOLDER.
configure_sanitized() {
  bash scripts/install_deps.sh clang-14 libclang-rt-14-dev >/dev/null
  local compiler
  compiler=$(command -v clang++ || command -v clang++-14)
  cmake -S . -B "$1" -DCMAKE_CXX_COMPILER="$compiler" -DSB_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS=-D_GLIBCXX_ASSERTIONS -DSB_CHECK_HEADERS=OFF >/dev/null
}
