# Sourced by the checks that run the programs: sets builder and tool to the
# executables of SB_BIN (default build/bin), building them when missing.
bin=${SB_BIN:-build/bin}
if [ ! -x "$bin/scenario_builder" ] || [ ! -x "$bin/scenario_tool" ]; then
  cmake -S . -B build >/dev/null && cmake --build build -j2 --target scenario_builder scenario_tool
fi
builder=$(realpath "$bin/scenario_builder")
tool=$(realpath "$bin/scenario_tool")
