#!/usr/bin/env bash
# File faults: when a directory cannot be written, is missing or is full, when
# a file size limit stops a write, or when an output path is a directory,
# scenario_builder and scenario_tool name the path and the reason on standard
# error and exit 4 -- never an uncaught exception, an abort or a silent
# success -- and a set of older files stays as it was.
#
# The builder writes beside itself, so each case puts the program (a copy, or
# a bind mount of it) in the directory under test. Read-only and tiny tmpfs
# mounts and the user nobody need root; without root those cases are skipped.
# SB_BUILD_DIR names another build folder (default build).
. "$(dirname "$0")/../lib/common.sh"
. .ci/lib/programs.sh

work=$(mktemp -d /tmp/file_faults.XXXXXX)
chmod 755 "$work"
mounts=()
cleanup() {
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount "${mounts[i]}" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

root=0
[ "$(id -u)" -eq 0 ] && root=1

# expect_4 NAME PATH REASON COMMAND...: the command exits 4 and a line of its
# standard error names the path (or a path that begins so) and ": REASON".
expect_4() {
  local name=$1 path=$2 reason=$3 rc=0
  shift 3
  "$@" >"$work/out" 2>"$work/err" || rc=$?
  if [ "$rc" -eq 4 ] && grep -F -- "$path" "$work/err" | grep -F -- ": $reason" >/dev/null; then
    echo "ok   $name: $(grep -F -- "$path" "$work/err" | sed -n 1p)"
  else
    echo "FAIL $name: exit $rc, expected 4 and \"$path...: $reason\"; standard error:"
    sed 's/^/     /' "$work/err"
    failures=$((failures + 1))
  fi
}

# expect_missing NAME PATH: the path does not exist (no half-written file).
expect_missing() {
  if [ -e "$2" ]; then
    echo "FAIL $1: $2 was left behind"
    failures=$((failures + 1))
  fi
}

# The three binary files of BORVALE 40617.
binaries=(BORVALE_linea.dat BORVALE_40617.sim BORVALE_40617.dat)

# seed_old DIR: an older set of binary files in DIR, each holding "old NAME".
seed_old() {
  local f
  for f in "${binaries[@]}"; do printf 'old %s' "$f" >"$1/$f"; done
}

# expect_old NAME DIR: the older set is there as it was, and no temporary
# file of the failed run is left beside it.
expect_old() {
  local f bad=""
  for f in "${binaries[@]}"; do
    [ "$(cat "$2/$f" 2>/dev/null)" = "old $f" ] || bad="$bad $f"
  done
  if ls -A "$2" | grep 'sbtmp-\|^\.sb-set$' >/dev/null; then bad="$bad (temporary files left)"; fi
  if [ -n "$bad" ]; then
    echo "FAIL $1: the older files are not intact:$bad"
    failures=$((failures + 1))
  fi
}

# A directory holding a copy of the builder.
with_builder() {
  mkdir -p "$1"
  cp "$builder" "$1/scenario_builder"
}

# mount_tmpfs DIR OPTIONS: a private tmpfs on DIR, unmounted at the end.
mount_tmpfs() {
  mkdir -p "$1"
  mount -t tmpfs -o "$2" tmpfs "$1"
  mounts+=("$1")
}

# bind_builder DIR: the builder appears in DIR without taking its space.
bind_builder() {
  touch "$1/scenario_builder"
  mount --bind "$builder" "$1/scenario_builder"
  mounts+=("$1/scenario_builder")
}

# The author's texts for the tool.
"$tool" export --out "$work/texts" >/dev/null
line="$work/texts/BORVALE_linea.txt"
service="$work/texts/BORVALE_40617-.txt"

# --- An output path that is a directory.
with_builder "$work/dir_plan"
mkdir "$work/dir_plan/BORVALE_linea.dat"
expect_4 "builder: plan file is a directory" "$work/dir_plan/BORVALE_linea.dat" "Is a directory" \
  "$work/dir_plan/scenario_builder"

with_builder "$work/dir_text"
mkdir "$work/dir_text/BORVALE_linea.txt"
expect_4 "builder: line text is a directory" "$work/dir_text/BORVALE_linea.txt" "Is a directory" \
  "$work/dir_text/scenario_builder"

mkdir -p "$work/out_dir/BORVALE_40617.sim"
expect_4 "tool compile: object table is a directory" "$work/out_dir/BORVALE_40617.sim" "Is a directory" \
  "$tool" compile --line "$line" --service "$service" --out "$work/out_dir"

mkdir -p "$work/export_dir/BORVALE_linea.txt"
expect_4 "tool export: text is a directory" "$work/export_dir/BORVALE_linea.txt" "Is a directory" \
  "$tool" export --force --out "$work/export_dir"

mkdir -p "$work/doc_dir/BORVALE_40617_scheda_treno.txt"
expect_4 "tool documents: train sheet is a directory" "$work/doc_dir/BORVALE_40617_scheda_treno.txt" \
  "Is a directory" "$tool" documents --line "$line" --service "$service" --out "$work/doc_dir"

expect_4 "tool documents: --notes missing" "$work/nowhere/note.txt" "No such file or directory" \
  "$tool" documents --line "$line" --service "$service" --notes "$work/nowhere/note.txt" --out "$work/doc_out"
expect_missing "tool documents: --notes missing" "$work/doc_out/BORVALE_40617_scheda_treno.txt"

expect_4 "tool dump: file is a directory" "$work/out_dir/BORVALE_40617.sim" "Is a directory" \
  "$tool" dump "$work/out_dir/BORVALE_40617.sim"

touch "$work/plain_file"
expect_4 "tool compile: --out is a file" "$work/plain_file" "" \
  "$tool" compile --line "$line" --service "$service" --out "$work/plain_file"

# --- A missing directory or file.
with_builder "$work/gone"
exec 3<"$work/gone/scenario_builder"
rm -rf "$work/gone"
expect_4 "builder: its directory was removed" "$work/gone" "No such file or directory" \
  /proc/self/fd/3
exec 3<&-

expect_4 "tool compile: --line missing" "$work/nowhere/linea.txt" "No such file or directory" \
  "$tool" compile --line "$work/nowhere/linea.txt" --out "$work/out_missing"

expect_4 "tool dump: file missing" "$work/nowhere/X_1.sim" "No such file or directory" \
  "$tool" dump "$work/nowhere/X_1.sim"

expect_4 "tool compile: --out under a file" "$work/plain_file/sub" "Not a directory" \
  "$tool" compile --line "$line" --service "$service" --out "$work/plain_file/sub"

if [ "$root" -eq 0 ]; then
  # Without root, permission bits do stop the writer.
  with_builder "$work/locked"
  chmod 555 "$work/locked"
  expect_4 "builder: directory without write access" "$work/locked/BORVALE_linea.txt" "Permission denied" \
    "$work/locked/scenario_builder"
  echo "skip read-only, full-disk and other-user cases: they need root"
else
  # --- A directory without write access, for the user nobody.
  as_nobody=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
  with_builder "$work/locked"
  expect_4 "builder: directory without write access" "$work/locked/BORVALE_linea.txt" "Permission denied" \
    "${as_nobody[@]}" "$work/locked/scenario_builder"
  mkdir -p "$work/locked_out"
  chmod 755 "$work/texts"
  chmod 644 "$line" "$service"
  expect_4 "tool compile: --out without write access" "$work/locked_out/BORVALE_linea.dat" "Permission denied" \
    "${as_nobody[@]}" "$tool" compile --line "$line" --service "$service" --out "$work/locked_out"

  # --- A read-only file system.
  mount_tmpfs "$work/ro" size=8m
  bind_builder "$work/ro"
  mkdir "$work/ro/out"
  mount -o remount,ro "$work/ro"
  expect_4 "builder: read-only directory" "$work/ro/BORVALE_linea.txt" "Read-only file system" \
    "$work/ro/scenario_builder"
  expect_4 "tool compile: read-only --out" "$work/ro/out/BORVALE_linea.dat" "Read-only file system" \
    "$tool" compile --line "$line" --service "$service" --out "$work/ro/out"
  expect_4 "tool compile: --out missing on a read-only disk" "$work/ro/new" "Read-only file system" \
    "$tool" compile --line "$line" --service "$service" --out "$work/ro/new"
  expect_4 "tool export: read-only --out" "$work/ro/out/BORVALE_linea.txt" "Read-only file system" \
    "$tool" export --out "$work/ro/out"
  # The compile runs in memory: a read-only TMPDIR does not matter to it.
  if env TMPDIR="$work/ro" "$tool" compile --line "$line" --service "$service" --out "$work/out_tmpdir" \
      >"$work/out" 2>"$work/err"; then
    echo "ok   tool compile: read-only TMPDIR is never used"
  else
    echo "FAIL tool compile: read-only TMPDIR: the compile failed:"
    sed 's/^/     /' "$work/err"
    failures=$((failures + 1))
  fi

  # --- A full disk: too small for the documents, for the plan, for the cells.
  mount_tmpfs "$work/full_text" size=16k
  bind_builder "$work/full_text"
  expect_4 "builder: disk full while writing the documents" "$work/full_text/BORVALE_40617_" \
    "No space left on device" "$work/full_text/scenario_builder"

  mount_tmpfs "$work/full_plan" size=64k
  bind_builder "$work/full_plan"
  seed_old "$work/full_plan"
  expect_4 "builder: disk full while writing the plan" "$work/full_plan/BORVALE_linea.dat" \
    "No space left on device" "$work/full_plan/scenario_builder"
  expect_old "builder: disk full while writing the plan" "$work/full_plan"

  mount_tmpfs "$work/full_cells" size=2000k
  bind_builder "$work/full_cells"
  seed_old "$work/full_cells"
  expect_4 "builder: disk full while writing the cells" "$work/full_cells/BORVALE_40617.dat" \
    "No space left on device" "$work/full_cells/scenario_builder"
  expect_old "builder: disk full while writing the cells" "$work/full_cells"

  mount_tmpfs "$work/full_out" size=64k
  seed_old "$work/full_out"
  expect_4 "tool compile: full --out" "$work/full_out/BORVALE_linea.dat" "No space left on device" \
    "$tool" compile --line "$line" --service "$service" --out "$work/full_out"
  expect_old "tool compile: full --out" "$work/full_out"
fi

# --- A file size limit (1 MiB, below the 2 MB plan): the write fails with
# EFBIG instead of the program being killed by SIGXFSZ, and the older set
# stays. No root needed.
with_builder "$work/fsize"
seed_old "$work/fsize"
expect_4 "builder: file size limit" "$work/fsize/BORVALE_linea.dat" "File too large" \
  bash -c 'ulimit -f 1024 && exec "$0"' "$work/fsize/scenario_builder"
expect_old "builder: file size limit" "$work/fsize"
mkdir -p "$work/fsize_out"
seed_old "$work/fsize_out"
expect_4 "tool compile: file size limit" "$work/fsize_out/BORVALE_linea.dat" "File too large" \
  bash -c 'ulimit -f 1024 && exec "$0" "$@"' "$tool" compile --line "$line" --service "$service" \
  --line-name BORVALE --train 40617 --out "$work/fsize_out"
expect_old "tool compile: file size limit" "$work/fsize_out"

finish "every case reported its path and reason and exited 4"
