#!/usr/bin/env bash
# Files that can be trusted: scenario_builder and scenario_tool are killed at
# every step of their writes and at random moments, raced by a second run in
# the same folder, by links and FIFOs planted under their names, interrupted
# with SIGINT and SIGTERM, and given inputs that are not regular files or are
# too large. After each, every set of files (the three binary files, the
# three documents) is the older set or the newer one, whole; no temporary
# file stays once the next run has started; a file outside the folder is
# never touched; every failure names a path and a reason.
#
# SB_FAULT_KILL_AT_STEP=N makes a program kill itself (SIGKILL) at the Nth
# step of its writes (creating, writing, flushing or renaming a file).
# SB_BUILD_DIR names another build folder (default build). About a minute.
. "$(dirname "$0")/../lib/common.sh"
. .ci/lib/programs.sh

work=$(mktemp -d /tmp/file_sets.XXXXXX)
pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# A section's "ok" line, printed only when it failed nothing.
section=0
ok() {
  [ "$failures" -eq "$section" ] && echo "ok   $*"
  section=$failures
}

binaries=(BORVALE_linea.dat BORVALE_40617.sim BORVALE_40617.dat)
documents=(BORVALE_40617_note.txt BORVALE_40617_rallentamenti.txt BORVALE_40617_scheda_treno.txt)

# --- Reference sets: the builder's own files (new), and an older set: the
# binary files of a 9 km line and documents of other bytes.
mkdir -p "$work/new" "$work/old" "$work/texts"
cp "$builder" "$work/new/"
"$work/new/scenario_builder" >/dev/null
"$tool" export --out "$work/texts" >/dev/null
line="$work/texts/BORVALE_linea.txt"
service="$work/texts/BORVALE_40617-.txt"
sed 's/^lunghezza percorso,.*/lunghezza percorso, 9000\r/' "$line" >"$work/texts/short_linea.txt"
"$tool" compile --line "$work/texts/short_linea.txt" --service "$service" --line-name BORVALE --train 40617 \
  --out "$work/old" >/dev/null 2>&1 || true
for f in "${documents[@]}"; do printf 'old %s\r\n' "$f" >"$work/old/$f"; done
for f in "${binaries[@]}"; do
  [ -s "$work/old/$f" ] && ! cmp -s "$work/old/$f" "$work/new/$f" || { echo "the older set is not older"; exit 1; }
done

# set_is DIR REF FILES...: each file in DIR equals the one in REF.
set_is() {
  local d=$1 r=$2 f
  shift 2
  for f in "$@"; do cmp -s "$d/$f" "$r/$f" || return 1; done
}

# whole DIR FILES...: the files are the older set or the newer one, whole.
whole() {
  local d=$1
  shift
  set_is "$d" "$work/old" "$@" || set_is "$d" "$work/new" "$@"
}

# no_leftovers DIR: no temporary file and no set record.
no_leftovers() {
  ! ls -A "$1" | grep 'sbtmp-\|^\.sb-set$' >/dev/null
}

# seed DIR: the older set of binary files and documents.
seed() {
  local f
  for f in "${binaries[@]}" "${documents[@]}"; do cp "$work/old/$f" "$1/$f"; done
}

# check_after_kill NAME DIR RECOVER...: right after the kill each set is
# whole unless a set record says the renames were under way; after RECOVER
# (a next run in the folder) each set is whole and nothing is left over.
check_after_kill() {
  local name=$1 d=$2
  shift 2
  if [ ! -e "$d/.sb-set" ]; then
    whole "$d" "${binaries[@]}" || fail "$name: the binary files are a mix or cut short"
    whole "$d" "${documents[@]}" || fail "$name: the documents are a mix or cut short"
  fi
  { "$@" >/dev/null 2>&1 || true; } 2>/dev/null
  whole "$d" "${binaries[@]}" || fail "$name: the binary files are a mix after the next run"
  whole "$d" "${documents[@]}" || fail "$name: the documents are a mix after the next run"
  no_leftovers "$d" || fail "$name: temporary files left after the next run: $(ls -A "$d" | tr '\n' ' ')"
}

# --- Killed at every step of the writes.
d="$work/kill_builder"
mkdir "$d"
cp "$builder" "$d/"
killed=0
for ((n = 1; n < 200; n++)); do
  seed "$d"
  rc=0
  { SB_FAULT_KILL_AT_STEP=$n "$d/scenario_builder" >/dev/null 2>&1 || rc=$?; } 2>/dev/null
  if [ "$rc" -ne 137 ]; then
    [ "$rc" -eq 0 ] || fail "builder: exit $rc without a kill"
    set_is "$d" "$work/new" "${binaries[@]}" "${documents[@]}" || fail "builder: the finished run's files differ"
    break
  fi
  killed=$((killed + 1))
  # The next run: it completes what the killed one left, then dies at once.
  check_after_kill "builder killed at step $n" "$d" env SB_FAULT_KILL_AT_STEP=1 "$d/scenario_builder"
done
[ "$killed" -gt 0 ] || fail "builder: SB_FAULT_KILL_AT_STEP killed nothing"
ok "builder killed at each of its $killed write steps"

d="$work/kill_tool"
mkdir "$d"
killed=0
for ((n = 1; n < 200; n++)); do
  seed "$d"
  rc=0
  { SB_FAULT_KILL_AT_STEP=$n "$tool" compile --line "$line" --service "$service" --out "$d" >/dev/null 2>&1 ||
    rc=$?; } 2>/dev/null
  if [ "$rc" -ne 137 ]; then
    [ "$rc" -eq 0 ] || fail "tool compile: exit $rc without a kill"
    set_is "$d" "$work/new" "${binaries[@]}" || fail "tool compile: the finished run's files differ"
    break
  fi
  killed=$((killed + 1))
  check_after_kill "tool compile killed at step $n" "$d" \
    env SB_FAULT_KILL_AT_STEP=1 "$tool" compile --line "$line" --service "$service" --out "$d"
done
[ "$killed" -gt 0 ] || fail "tool compile: SB_FAULT_KILL_AT_STEP killed nothing"
ok "tool compile killed at each of its $killed write steps"

# --- Killed (SIGKILL) at random moments of whole runs.
d="$work/kill_random"
mkdir "$d"
cp "$builder" "$d/"
for ((i = 0; i < 30; i++)); do
  seed "$d"
  { timeout -s KILL "0.0$((RANDOM % 60 + 10))" "$d/scenario_builder" >/dev/null 2>&1 || true; } 2>/dev/null
  check_after_kill "builder killed at random (run $i)" "$d" env SB_FAULT_KILL_AT_STEP=1 "$d/scenario_builder"
  seed "$d"
  { timeout -s KILL "0.0$((RANDOM % 40 + 5))" "$tool" compile --line "$line" --service "$service" --out "$d" \
    >/dev/null 2>&1 || true; } 2>/dev/null
  check_after_kill "tool compile killed at random (run $i)" "$d" \
    env SB_FAULT_KILL_AT_STEP=1 "$tool" compile --line "$line" --service "$service" --out "$d"
done
ok "builder and tool killed at random moments, 30 runs each"

# --- Links: a dangling link at an output name is replaced, never followed.
d="$work/links"
mkdir -p "$d/out" "$work/outside"
cp "$builder" "$d/"
ln -s "$work/outside/made_by_builder" "$d/BORVALE_40617.sim"
ln -s "$work/outside/made_by_compile" "$d/out/BORVALE_linea.dat"
ln -s "$work/outside/made_by_export" "$d/out/BORVALE_40617-.txt"
ln -s "$work/outside/made_by_plan" "$d/out/p.svg"
ln -s "$work/outside/made_by_documents" "$d/out/BORVALE_40617_scheda_treno.txt"
mkdir "$d/back"
ln -s "$work/outside/made_by_decompile" "$d/back/BORVALE_linea.txt"
"$d/scenario_builder" >/dev/null 2>&1 || fail "links: the builder failed"
"$tool" compile --line "$line" --service "$service" --out "$d/out" >/dev/null 2>&1 || fail "links: compile failed"
"$tool" export --force --out "$d/out" >/dev/null 2>&1 || fail "links: export failed"
"$tool" plan --plan "$d/BORVALE_linea.dat" --svg "$d/out/p.svg" >/dev/null 2>&1 || fail "links: plan failed"
"$tool" documents --line "$line" --service "$service" --out "$d/out" >/dev/null 2>&1 || fail "links: documents failed"
"$tool" decompile --sim "$d/BORVALE_40617.sim" --cells "$d/BORVALE_40617.dat" --plan "$d/BORVALE_linea.dat" \
  --force --out "$d/back" >/dev/null 2>&1 || fail "links: decompile failed"
for f in "$d/BORVALE_40617.sim" "$d/out/BORVALE_linea.dat" "$d/out/BORVALE_40617-.txt" "$d/out/p.svg" \
  "$d/out/BORVALE_40617_scheda_treno.txt" "$d/back/BORVALE_linea.txt"; do
  { [ -f "$f" ] && [ ! -L "$f" ]; } || fail "links: $f is not a file of its own"
done
[ -z "$(ls -A "$work/outside")" ] || fail "links: a file was created outside the folder: $(ls "$work/outside")"
ok "dangling links at the outputs of the builder, compile, export, plan, documents and decompile are replaced"

# --- Links and FIFOs planted while the builder runs: a file outside the
# folder keeps its bytes, and no run hangs.
d="$work/planted"
mkdir "$d"
cp "$builder" "$d/"
printf 'precious' >"$work/outside/victim"
(
  names=("${binaries[@]}" "${documents[@]}" BORVALE_linea.txt BORVALE_40617-.txt)
  while :; do
    for f in "${names[@]}"; do
      ln -sfn "$work/outside/victim" "$d/$f" 2>/dev/null || true
      rm -f "$d/BORVALE_linea.txt" && mkfifo "$d/BORVALE_linea.txt" 2>/dev/null || true
    done
  done
) &
pids+=($!)
hung=0
for ((i = 0; i < 20; i++)); do
  rc=0
  timeout 10 "$d/scenario_builder" >/dev/null 2>&1 || rc=$?
  [ "$rc" -eq 124 ] && hung=$((hung + 1))
done
kill "${pids[-1]}" 2>/dev/null || true
wait "${pids[-1]}" 2>/dev/null || true
[ "$hung" -eq 0 ] || fail "planted: $hung builder runs hung"
[ "$(cat "$work/outside/victim")" = "precious" ] || fail "planted: the file outside the folder was written"
ok "links and FIFOs planted during 20 builder runs: nothing outside touched, no run hung"

# --- Two runs at once in one folder.
d="$work/twice"
mkdir -p "$d/out"
cp "$builder" "$d/"
for ((i = 0; i < 10; i++)); do
  rc1=0 rc2=0
  "$d/scenario_builder" >/dev/null 2>"$work/err1" &
  p1=$!
  "$d/scenario_builder" >/dev/null 2>"$work/err2" || rc2=$?
  wait "$p1" || rc1=$?
  [ "$rc1" -eq 0 ] && [ "$rc2" -eq 0 ] || fail "two builders: exits $rc1 and $rc2: $(cat "$work/err1" "$work/err2")"
  set_is "$d" "$work/new" "${binaries[@]}" "${documents[@]}" || fail "two builders: the files differ"
  [ ! -e "$d/BORVALE_linea.txt" ] && no_leftovers "$d" || fail "two builders: texts or temporary files left"

  # Two compiles of different lines under the same names into one folder.
  rc1=0 rc2=0
  "$tool" compile --line "$work/texts/short_linea.txt" --service "$service" --line-name BORVALE --train 40617 \
    --out "$d/out" >/dev/null 2>&1 &
  p1=$!
  "$tool" compile --line "$line" --service "$service" --out "$d/out" >/dev/null 2>&1 || rc2=$?
  wait "$p1" || rc1=$?
  # The 9 km line records a code (its rows run past the route): status 1.
  [ "$rc1" -le 1 ] && [ "$rc2" -eq 0 ] || fail "two compiles: exits $rc1 and $rc2"
  whole "$d/out" "${binaries[@]}" || fail "two compiles: the binary files are a mix"
done
ok "two builders and two compiles at once in one folder, 10 times each"

# --no-wait fails at once; without it the run waits, says so after a second,
# and goes on when the folder is free.
mkdir -p "$d/held"
flock "$d/held" sleep 2 &
pids+=($!)
sleep 0.2
rc=0
"$tool" export --no-wait --out "$d/held" >/dev/null 2>"$work/err" || rc=$?
[ "$rc" -eq 4 ] && grep -qF "$d/held: another run is writing in this folder" "$work/err" ||
  fail "--no-wait: exit $rc: $(cat "$work/err")"
rc=0
"$tool" export --out "$d/held" >/dev/null 2>"$work/err" || rc=$?
[ "$rc" -eq 0 ] && grep -qF "scenario_tool: waiting for another run writing in $d/held" "$work/err" ||
  fail "waiting: exit $rc: $(cat "$work/err")"
ok "--no-wait exits 4 at once; a waiting run says so and goes on"

# --- SIGINT and SIGTERM: while waiting for the folder, and at random moments
# of a build.
d="$work/signals"
mkdir -p "$d"
cp "$builder" "$d/"
for sig in INT TERM; do
  flock "$d" sleep 3 &
  holder=$!
  sleep 0.2
  env --default-signal=INT "$d/scenario_builder" >/dev/null 2>"$work/err" &
  p=$!
  sleep 0.3
  kill -s "$sig" "$p" 2>/dev/null || true
  rc=0
  wait "$p" || rc=$?
  kill "$holder" 2>/dev/null || true
  wait "$holder" 2>/dev/null || true
  expected=$([ "$sig" = INT ] && echo 130 || echo 143)
  [ "$rc" -eq "$expected" ] && grep -qF "$d: interrupted by SIG$sig" "$work/err" ||
    fail "SIG$sig while waiting: exit $rc: $(cat "$work/err")"
done
for ((i = 0; i < 20; i++)); do
  seed "$d"
  env --default-signal=INT "$d/scenario_builder" >/dev/null 2>"$work/err" &
  p=$!
  sleep "0.0$((RANDOM % 50 + 5))"
  kill -s TERM "$p" 2>/dev/null || true
  rc=0
  wait "$p" || rc=$?
  if [ "$rc" -ne 0 ] && [ "$rc" -ne 143 ]; then fail "SIGTERM during a build: exit $rc"; fi
  whole "$d" "${binaries[@]}" && whole "$d" "${documents[@]}" || fail "SIGTERM during a build: a set is a mix"
  [ ! -e "$d/BORVALE_linea.txt" ] && no_leftovers "$d" || fail "SIGTERM during a build: files left: $(ls -A "$d")"
done
ok "SIGINT and SIGTERM exit 130 and 143 saying so; 20 builds stopped at random leave whole sets"

# --- Inputs that are not regular files, or too large.
mkfifo "$work/fifo_linea.txt"
truncate -s 3G "$work/big_linea.txt"
truncate -s 3G "$work/big_linea.dat"
# expect_refused NAME PATH REASON COMMAND...: exit 4 within seconds, "PATH: REASON".
expect_refused() {
  local name=$1 path=$2 reason=$3 rc=0
  shift 3
  timeout 10 "$@" >/dev/null 2>"$work/err" || rc=$?
  [ "$rc" -eq 4 ] && grep -qF "$path: $reason" "$work/err" || fail "$name: exit $rc: $(cat "$work/err")"
}
expect_refused "a FIFO" "$work/fifo_linea.txt" "not a regular file (a FIFO)" \
  "$tool" compile --line "$work/fifo_linea.txt" --out "$work/o"
expect_refused "a device" /dev/zero "not a regular file (a character device)" \
  "$tool" compile --line /dev/zero --out "$work/o"
expect_refused "a 3 GB text" "$work/big_linea.txt" "larger than 67108864 bytes" \
  "$tool" compile --line "$work/big_linea.txt" --out "$work/o"
expect_refused "a 3 GB plan" "$work/big_linea.dat" "larger than 67108864 bytes" "$tool" dump "$work/big_linea.dat"
# Out of memory is reported, not an abort: 60 MB of text in 80 MB of address
# space (the read itself, or the conversion after it, runs out).
head -c 60000000 /dev/zero | tr '\0' ' ' >"$work/wide_linea.txt"
rc=0
(ulimit -v 80000 && exec "$tool" compile --line "$work/wide_linea.txt" --out "$work/o") >/dev/null 2>"$work/err" || rc=$?
[ "$rc" -eq 4 ] && grep -q "$work/wide_linea.txt: Cannot allocate memory\|^scenario_tool: out of memory" "$work/err" ||
  fail "out of memory: exit $rc: $(cat "$work/err")"
ok "a FIFO, a device, 3 GB files and memory running out are refused with path and reason"

# --- dump --json of a plan holding NaN and 1e300 is JSON, the number whole.
# The plan: x 0, 0, NaN, 1e300, empty; y 0, 1, 2, 3, empty.
{
  printf '\x02\x00\x00\x00\x02\x00\x00\x00\x05\x00\x00\x00\x00\x00\x00\x00\xf8\x7f'
  printf '\x05\x00\x9c\x75\x00\x88\x3c\xe4\x37\x7e\x00\x00'
  printf '\x02\x00\x00\x00\x02\x00\x01\x00\x05\x00\x00\x00\x00\x00\x00\x00\x00\x40'
  printf '\x05\x00\x00\x00\x00\x00\x00\x00\x08\x40\x00\x00'
} >"$work/nan_linea.dat"
"$tool" dump --json "$work/nan_linea.dat" >"$work/nan.json" || fail "dump --json of a NaN plan failed"
grep -q '"x_max": 10000000000000000525047602552044202487044685811081591549158541155118024579889081957863713750804478640437044438328838781769425232353604305756447921847867069828483872009265758037378302337947880900593689532349707999450811190389676408800746527427801424945792587888200568428381156694721963868654594005401600*\.000' "$work/nan.json" ||
  fail "dump --json: 1e300 is not whole: $(cat "$work/nan.json")"
if command -v python3 >/dev/null; then
  python3 -c 'import json,sys; json.load(open(sys.argv[1]))' "$work/nan.json" 2>/dev/null || fail "dump --json: not JSON"
elif grep -qiw 'nan\|inf' "$work/nan.json"; then
  fail "dump --json: a bare NaN or infinity"
fi
ok "dump --json of a plan with NaN and 1e300"

finish "every set was whole, nothing outside was touched, every failure was reported"
