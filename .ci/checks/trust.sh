#!/usr/bin/env bash
# Trust: scenario_tool obeys no device, FIFO or planted record, never writes
# over one of its inputs, stays within its memory goals on 64 MiB inputs, and
# meets plans with huge, NaN and infinite points without undefined behaviour.
#
# - a device node (mknod) and a FIFO at an output path: refused with the path
#   and the kind, status 4, the node left as it was;
# - a set record planted by the user nobody in a sticky folder, and one that
#   is a link: set aside with a warning, the file it names untouched, and the
#   run writes;
# - an --out through a link nobody planted in a sticky folder: refused;
# - format keeping the owner and mode of nobody's text, and refusing, as
#   nobody, to give root's text away;
# - an input at each output name: a usage error naming both, nothing written;
# - 64 MiB inputs under `ulimit -v` at the goals of docs/performance.md, and
#   a clear status 4 below them; 64 MiB texts with a finding on every row
#   (three kinds) through check, compile, documents, plan and view;
# - a plan holding 1e300, NaN and infinite points through plan, view, dump
#   and decompile built with UndefinedBehaviorSanitizer (build-fuzz/, the
#   sanitized build .ci/run makes; SB_ASAN_BIN names another folder).
#
# The device, the other user and the sticky folder need root; without root
# those cases are skipped. SB_BUILD_DIR names another build folder (default
# build). About a minute.
. "$(dirname "$0")/../lib/common.sh"
. .ci/lib/programs.sh

work=$(mktemp -d /tmp/trust.XXXXXX)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT

root=0
[ "$(id -u)" -eq 0 ] && root=1

# expect NAME STATUS TEXT COMMAND...: the command exits STATUS and its
# standard error holds TEXT (any, when TEXT is empty).
expect() {
  local name=$1 status=$2 text=$3 rc=0
  shift 3
  timeout 60 "$@" >"$work/out" 2>"$work/err" </dev/null || rc=$?
  if [ "$rc" -eq "$status" ] && { [ -z "$text" ] || grep -qF -- "$text" "$work/err"; }; then
    echo "ok   $name: $(grep -m 1 -F -- "$text" "$work/err" | cut -c1-160)"
  else
    echo "FAIL $name: exit $rc, expected $status and \"$text\"; standard error:"
    sed -n '1,20s/^/     /p' "$work/err"
    failures=$((failures + 1))
  fi
}

# same NAME FILE BYTES: the file still holds the bytes.
same() {
  if [ "$(cat "$2" 2>/dev/null)" != "$3" ]; then
    echo "FAIL $1: $2 changed"
    failures=$((failures + 1))
  fi
}

# The built-in scenario's texts and binary files.
"$tool" export --out "$work/texts" >/dev/null
line="$work/texts/BORVALE_linea.txt"
service="$work/texts/BORVALE_40617-.txt"
"$tool" compile --line "$line" --service "$service" --out "$work/bin" >/dev/null
plan="$work/bin/BORVALE_linea.dat"
sim="$work/bin/BORVALE_40617.sim"
cells="$work/bin/BORVALE_40617.dat"

# --- A FIFO and a device node at an output path.
mkdir "$work/nodes"
mkfifo "$work/nodes/fifo.svg"
expect "plan: a FIFO at --svg" 4 "$work/nodes/fifo.svg: not a regular file (a FIFO)" \
  "$tool" plan --sim "$sim" --svg "$work/nodes/fifo.svg"
[ -p "$work/nodes/fifo.svg" ] || { echo "FAIL the FIFO was replaced"; failures=$((failures + 1)); }
mkdir "$work/nodes/out"
mkfifo "$work/nodes/out/BORVALE_40617.sim"
expect "compile: a FIFO at the object table" 4 "$work/nodes/out/BORVALE_40617.sim: not a regular file (a FIFO)" \
  "$tool" compile --line "$line" --service "$service" --out "$work/nodes/out"
[ ! -e "$work/nodes/out/BORVALE_linea.dat" ] || { echo "FAIL compile wrote beside the FIFO"; failures=$((failures + 1)); }
if [ "$root" -eq 1 ]; then
  mknod "$work/nodes/null.html" c 1 3
  expect "view: a device at --html" 4 "$work/nodes/null.html: not a regular file (a character device)" \
    "$tool" view --line "$line" --service "$service" --html "$work/nodes/null.html"
  expect "plan: a device at --svg" 4 "$work/nodes/null.html: not a regular file (a character device)" \
    "$tool" plan --sim "$sim" --svg "$work/nodes/null.html"
  [ -c "$work/nodes/null.html" ] || { echo "FAIL the device node was replaced"; failures=$((failures + 1)); }
else
  echo "skip a device node at an output path: mknod needs root"
fi

# --- Planted set records, links and texts of another user.
if [ "$root" -eq 1 ]; then
  as_nobody=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
  nobody_uid=$(id -u nobody)
  sticky="$work/sticky"
  mkdir "$sticky"
  chmod 1777 "$sticky"
  printf "root's" >"$sticky/rootfile"
  # The other user's temporary file and a record naming it and rootfile,
  # with the right inode: only its owner gives it away. It is set aside for
  # the folder's owner, and the run writes.
  "${as_nobody[@]}" bash -c '
    printf planted >"$1/.rootfile.sbtmp-AAAAAA"
    ino=$(stat -c %i "$1/.rootfile.sbtmp-AAAAAA")
    printf ".rootfile.sbtmp-AAAAAA\0rootfile\0%s\0\0" "$ino" >"$1/.sb-set"' _ "$sticky"
  expect "plan: a record planted by nobody is set aside" 0 \
    "$sticky/.sb-set: a set record owned by user $nobody_uid, not by this user (0); not trusted, nothing renamed: set aside as $sticky/.sb-set.untrusted-" \
    "$tool" plan --sim "$sim" --svg "$sticky/p.svg"
  same "a record planted by nobody" "$sticky/rootfile" "root's"
  [ -s "$sticky/p.svg" ] || { echo "FAIL no picture written past the record"; failures=$((failures + 1)); }
  [ ! -e "$sticky/.sb-set" ] || { echo "FAIL the planted record still blocks the folder"; failures=$((failures + 1)); }
  expect "plan: the next run in the folder" 0 "" "$tool" plan --sim "$sim" --svg "$sticky/p.svg"

  linked="$work/linked"
  mkdir "$linked"
  chmod 1777 "$linked"
  printf "root's" >"$linked/rootfile"
  "${as_nobody[@]}" ln -s "$sticky/.sb-set.untrusted-"* "$linked/.sb-set"
  expect "compile: a record that is a link is set aside" 0 "$linked/.sb-set: a set record that is a symbolic link; not trusted" \
    "$tool" compile --line "$line" --service "$service" --out "$linked"
  same "a record that is a link" "$linked/rootfile" "root's"

  # A link planted by nobody in the sticky folder, to a folder only root
  # may enter: not followed, as protected_symlinks would refuse it.
  private="$work/private"
  mkdir -m 700 "$private"
  "${as_nobody[@]}" ln -s "$private" "$sticky/out"
  expect "compile: --out through nobody's link in a sticky folder" 4 \
    "$sticky/out: a symbolic link owned by user $nobody_uid in a sticky folder every user may write; not followed" \
    "$tool" compile --line "$line" --service "$service" --out "$sticky/out"
  expect "plan: --svg through nobody's link in a sticky folder" 4 \
    "$sticky/out: a symbolic link owned by user $nobody_uid in a sticky folder every user may write; not followed" \
    "$tool" plan --sim "$sim" --svg "$sticky/out/deeper/p.svg"
  [ -z "$(ls -A "$private")" ] || { echo "FAIL a file was written behind nobody's link"; failures=$((failures + 1)); }

  # format keeps what it does not own: as root, nobody's private text stays
  # nobody's and 0600; as nobody, root's text is refused rather than given
  # to nobody.
  cp "$service" "$sticky/theirs-.txt"
  sed -i 's/, */,/g' "$sticky/theirs-.txt"
  chown nobody:nogroup "$sticky/theirs-.txt"
  chmod 600 "$sticky/theirs-.txt"
  expect "format: nobody's 0600 text as root" 0 "" "$tool" format "$sticky/theirs-.txt"
  kept=$(stat -c '%U %a' "$sticky/theirs-.txt")
  if [ "$kept" = "nobody 600" ]; then echo "ok   format kept nobody 600"; else
    echo "FAIL format left $kept, not nobody 600"; failures=$((failures + 1)); fi
  cp "$service" "$sticky/roots-.txt"
  sed -i 's/, */,/g' "$sticky/roots-.txt"
  chmod 644 "$sticky/roots-.txt"
  before=$(cat "$sticky/roots-.txt")
  expect "format: root's text as nobody" 4 \
    "$sticky/roots-.txt: owned by user 0 and group 0, which this user may not give a new file; left as it was" \
    "${as_nobody[@]}" "$tool" format "$sticky/roots-.txt"
  same "root's text as nobody" "$sticky/roots-.txt" "$before"
  [ "$(stat -c %U "$sticky/roots-.txt")" = root ] || { echo "FAIL root's text changed hands"; failures=$((failures + 1)); }
else
  echo "skip records, links and texts of another user: they need root"
fi

# --- An input at each output name.
self="$work/self"
mkdir "$self"
cp "$service" "$self/X_1_scheda_treno.txt"
expect "compile: the service text at the train sheet's name" 2 \
  "the output $self/X_1_scheda_treno.txt is the input $self/X_1_scheda_treno.txt; nothing written" \
  "$tool" compile --service "$self/X_1_scheda_treno.txt" --line-name X --train 1 --documents --out "$self"
printf 'my notes\r\n' >"$self/BORVALE_40617_note.txt"
expect "documents: the notes at the notes' name" 2 \
  "the output $self/BORVALE_40617_note.txt is the input $self/BORVALE_40617_note.txt" \
  "$tool" documents --line "$line" --service "$service" --notes "$self/BORVALE_40617_note.txt" --out "$self"
same "the notes at the notes' name" "$self/BORVALE_40617_note.txt" "$(printf 'my notes\r\n')"
ln -s "$line" "$self/BORVALE_linea.dat"
expect "compile: the line text behind a link at the plan's name" 2 \
  "the output $self/BORVALE_linea.dat is the input $line" \
  "$tool" compile --line "$line" --service "$service" --out "$self"
ln "$sim" "$self/picture.svg"
expect "plan: the object table hard-linked at the picture" 2 "the output $self/picture.svg is the input $sim" \
  "$tool" plan --sim "$sim" --svg "$self/picture.svg"
expect "view: the page over the service text" 2 "the output $service is the input $service" \
  "$tool" view --line "$line" --service "$service" --html "$service"
cp "$cells" "$self/BORVALE_40617-.txt"
expect "decompile: the cells at a text's name" 2 \
  "the output $self/BORVALE_40617-.txt is the input $self/BORVALE_40617-.txt" \
  "$tool" decompile --sim "$sim" --cells "$self/BORVALE_40617-.txt" --out "$self" --force
cmp -s "$cells" "$self/BORVALE_40617-.txt" || { echo "FAIL decompile wrote over its input"; failures=$((failures + 1)); }

# --- 64 MiB inputs: a speed row repeated (one warning each), and plan and
# cell files of that size. Goals in kB of address space (ulimit -v):
# check and compile 6 x 64 MiB + 16 MiB, view 9 x 64 MiB + 16 MiB, dump
# 64 MiB + 3 x 64 MiB. Below them the tool says it ran out of memory.
python3 - "$service" "$work/big" <<'EOF'
import sys
text = open(sys.argv[1], 'rb').read()
head = text[:text.index(b'[vel_limite]')] + b'[vel_limite]\r\n'
row = b'velocita, 0, 85\r\n'
size = 64 << 20
open(sys.argv[2] + '_40617-.txt', 'wb').write(head + row * ((size - len(head) - 8) // len(row)) + b'[fine]\r\n')
open(sys.argv[2] + '_linea.dat', 'wb').write(bytes(size))
open(sys.argv[2] + '_1.dat', 'wb').write(bytes(size // 15 * 15))
EOF
big="$work/big_40617-.txt"
expect "check of 64 MiB within 6 x + 16 MiB" 1 "more like this" \
  bash -c 'ulimit -v $(( (6 * 64 + 16) * 1024 )) && exec "$@"' _ "$tool" check --line "$line" --service "$big"
expect "compile of 64 MiB within 6 x + 16 MiB" 0 "more like this" \
  bash -c 'ulimit -v $(( (6 * 64 + 16) * 1024 )) && exec "$@"' _ "$tool" compile --line "$line" --service "$big" \
  --out "$work/big_out"
expect "view of 64 MiB within 9 x + 16 MiB" 0 "more like this" \
  bash -c 'ulimit -v $(( (9 * 64 + 16) * 1024 )) && exec "$@"' _ "$tool" view --line "$line" --service "$big" \
  --html "$work/big.html"
page=$(stat -c %s "$work/big.html" 2>/dev/null || echo 0)
if [ "$page" -le 20000000 ]; then echo "ok   the page of 64 MiB is $page bytes"; else
  echo "FAIL the page of 64 MiB is $page bytes"; failures=$((failures + 1)); fi
for f in "$work/big_linea.dat" "$work/big_1.dat"; do
  expect "dump of 64 MiB within 64 MiB + 3 x" 4 "of the longest route (1000000 m)" \
    bash -c 'ulimit -v $(( (64 + 3 * 64) * 1024 )) && exec "$@"' _ "$tool" dump "$f"
done
expect "check of 64 MiB below its goal" 4 "memory" \
  bash -c 'ulimit -v $(( 100 * 1024 )) && exec "$@"' _ "$tool" check --line "$line" --service "$big"
expect "view of 64 MiB below its goal" 4 "memory" \
  bash -c 'ulimit -v $(( 200 * 1024 )) && exec "$@"' _ "$tool" view --line "$line" --service "$big" \
  --html "$work/big2.html"
rm -rf "$work"/big*

# --- 64 MiB texts with a finding on every row, of three kinds: speeds that
# are no number (service), curve keywords without a digit and gradients that
# do not fit 8 bits (line). Of a kind the first 100 are kept and the rest
# counted where they are recorded, so each command keeps to its goal: check,
# compile, documents and plan 6 x 64 MiB + 16 MiB, view 9 x + 16 MiB and a
# page of at most 20 MB.
python3 - "$line" "$service" "$work/rows" <<'EOF'
import sys
line = open(sys.argv[1], 'rb').read()
service = open(sys.argv[2], 'rb').read()
size = 64 << 20
def write(name, text, header, row):
    head = text[:text.index(header)] + header + b'\r\n'
    open(sys.argv[3] + name, 'wb').write(head + row * ((size - len(head) - 8) // len(row)) + b'[fine]\r\n')
write('_numbers_1-.txt', service, b'[vel_limite]', b'velocita, 10, 85x\r\n')
write('_curves_linea.txt', line, b'[curve]', b'curvas, 5000, 900\r\n')
write('_gradients_linea.txt', line, b'[pendenze]', b'pendenza, 0, 200\r\n')
EOF
# within NAME GOAL STATUS COMMAND...: the command keeps to GOAL MiB of
# address space, exits STATUS and counts what it did not list.
within() {
  local name=$1 goal=$2 status=$3
  shift 3
  expect "$name within $goal MiB" "$status" "more like this" \
    bash -c 'ulimit -v $(( $0 * 1024 )) && exec "$@"' "$goal" "$@"
}
for kind in numbers curves gradients; do
  if [ "$kind" = numbers ]; then texts=(--line "$line" --service "$work/rows_numbers_1-.txt"); else
    texts=(--line "$work/rows_${kind}_linea.txt" --service "$service"); fi
  status=1
  [ "$kind" = gradients ] && status=0
  within "check, 64 MiB of $kind" 400 1 "$tool" check "${texts[@]}"
  within "compile, 64 MiB of $kind" 400 "$status" "$tool" compile "${texts[@]}" --out "$work/rows_out"
  within "documents, 64 MiB of $kind" 400 "$status" "$tool" documents "${texts[@]}" --out "$work/rows_out"
  within "plan, 64 MiB of $kind" 400 "$status" "$tool" plan "${texts[@]}" --svg "$work/rows.svg"
  within "view, 64 MiB of $kind" 592 "$status" "$tool" view "${texts[@]}" --html "$work/rows.html"
  page=$(stat -c %s "$work/rows.html" 2>/dev/null || echo 0)
  if [ "$page" -gt 0 ] && [ "$page" -le 20000000 ]; then echo "ok   the page of 64 MiB of $kind is $page bytes"; else
    echo "FAIL the page of 64 MiB of $kind is $page bytes"; failures=$((failures + 1)); fi
  rm -f "$work/rows.html"
done
rm -rf "$work"/rows*

# --- A plan with 1e300, NaN and infinite points, under UBSan.
asan_bin=${SB_ASAN_BIN:-build-fuzz/bin}
if [ -x "$asan_bin/scenario_tool" ]; then
  ubsan_tool=$(realpath "$asan_bin/scenario_tool")
  mkdir "$work/extreme"
  cp "$sim" "$cells" "$work/extreme/"
  python3 - "$plan" "$work/extreme/BORVALE_linea.dat" <<'EOF'
import struct, sys
b = bytearray(open(sys.argv[1], 'rb').read())
reals, pos = [], 0
while pos < len(b):
    kind = struct.unpack_from('<H', b, pos)[0]
    if kind == 5:
        reals.append(pos + 2)
    pos += 2 + {0: 0, 2: 2, 5: 8}[kind]
for i, v in enumerate([1e300, float('nan'), float('inf'), -float('inf'), -1e300, 1.7976931348623157e308]):
    struct.pack_into('<d', b, reals[1000 + 5000 * i], v)
open(sys.argv[2], 'wb').write(b)
EOF
  x="$work/extreme"
  export UBSAN_OPTIONS=print_stacktrace=1 ASAN_OPTIONS=detect_leaks=0
  for run in "plan --plan $x/BORVALE_linea.dat --sim $x/BORVALE_40617.sim --cells $x/BORVALE_40617.dat --svg $x/p.svg" \
    "view --plan $x/BORVALE_linea.dat --sim $x/BORVALE_40617.sim --cells $x/BORVALE_40617.dat --html $x/v.html" \
    "dump $x/BORVALE_linea.dat" "dump --json $x/BORVALE_linea.dat" \
    "decompile --plan $x/BORVALE_linea.dat --sim $x/BORVALE_40617.sim --cells $x/BORVALE_40617.dat --out $x/d"; do
    rc=0
    # shellcheck disable=SC2086
    "$ubsan_tool" $run >"$work/out" 2>"$work/err" || rc=$?
    if grep -q "runtime error\|Sanitizer" "$work/err" || [ "$rc" -gt 4 ]; then
      echo "FAIL extreme plan: ${run%% *}: exit $rc"
      sed -n '1,20s/^/     /p' "$work/err"
      failures=$((failures + 1))
    else
      echo "ok   extreme plan under UBSan: ${run%% *} (exit $rc)"
    fi
  done
  if grep -q -- "-9223372036854775808\|9223372036854775807" "$x/v.html"; then
    echo "FAIL extreme plan: the page carries an overflowed number"
    failures=$((failures + 1))
  fi
else
  echo "skip the extreme plan under UBSan: no $asan_bin/scenario_tool (built by .ci/run)"
fi

finish "no device, FIFO, planted record or planted link obeyed, no input overwritten, owners kept, memory within its goals"
