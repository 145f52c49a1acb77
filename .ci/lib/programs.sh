# Sourced by the checks that run the programs, after common.sh: sets builder
# and tool to the executables of the build folder, building them when
# missing.
if [ ! -x "$build/bin/scenario_builder" ] || [ ! -x "$build/bin/scenario_tool" ]; then
  cmake -S . -B "$build" >/dev/null && cmake --build "$build" -j2 --target scenario_builder scenario_tool
fi
builder=$(realpath "$build/bin/scenario_builder")
tool=$(realpath "$build/bin/scenario_tool")
