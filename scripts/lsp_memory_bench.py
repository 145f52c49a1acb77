#!/usr/bin/env python3
"""The language server's memory and change latency on large documents, as an
editor would drive it (docs/performance.md, "The language server's memory"):

  scripts/lsp_memory_bench.py [BUILD_DIR] [CASE...]

Each case starts `BUILD_DIR/bin/scenario_tool lsp` (BUILD_DIR defaults to
build), sends initialize and opens its document(s); where the case types, it
waits for the open's diagnostics, then types one letter and times the change
from the moment it is written to the moment its diagnostics arrive. Then
shutdown, and the server's peak resident memory is read (VmHWM in
/proc/PID/status) before exit; its processor time comes from wait4. Cases (all of them when none is named):

  many1, many1000   1 or 1 000 copies of the built-in run open (each paired
                    with the line on disk); the figure per document is
                    (many1000 - many1) / 999
  notes60           60 MiB of notes before the built-in line, then a letter
                    typed into the notes
  big60             the built-in line's rows repeated to 60 MiB (2 million
                    rows, most a finding), then a letter typed into its last
                    row
  KIND-MIB          a text of MIB MiB whose every row is a finding, KIND one
                    of numbers, curves, gradients (as scripts/lsp_inputs.py
                    rows writes it); at 60 MiB a letter is then typed into
                    its last row

The built-in texts are exported into a scratch folder first. Goals: a
document within 6 times its size plus 16 MiB, each open copy of the built-in
run under 256 kB, a change answered in under 2 s.
"""
import json
import os
import queue
import resource
import shutil
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import lsp_inputs as li  # noqa: E402

KINDS = ("numbers", "curves", "gradients")
ALL = ["many1", "many1000", "notes60", "big60"] + ["%s-%d" % (k, m) for k in KINDS for m in (2, 8, 60)]


def reader(stream, out):
    """Puts (time, message) for every framed message the server writes."""
    while True:
        length = None
        while True:
            line = stream.readline()
            if not line:
                out.put((time.monotonic(), None))
                return
            line = line.strip()
            if not line:
                break
            name, _, value = line.partition(b":")
            if name.lower() == b"content-length":
                length = int(value)
        body = stream.read(length)
        out.put((time.monotonic(), json.loads(body)))


def wait_for(messages, test, what):
    """The time of the first message that passes TEST."""
    while True:
        t, m = messages.get(timeout=600)
        if m is None:
            raise SystemExit("the server ended while waiting for " + what)
        if "error" in m and m.get("id") is None:
            raise SystemExit("the server refused a message while waiting for %s: %s" % (what, m["error"]))
        if test(m):
            return t


def cpu_seconds(pid):
    """The processor time (user + system) a running process has used."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def peak_kib(pid):
    """The peak resident memory of a running process since it was started
    (VmHWM: what it held before its exec, as the script's copy, not counted)."""
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def published(uri):
    return lambda m: m.get("method") == "textDocument/publishDiagnostics" and m["params"]["uri"] == uri


def case_messages(case, folder):
    """The document's size in bytes, the opening messages, and (URI, change)
    or None."""
    if case.startswith("many"):
        n = int(case[4:])
        text = li.leggi(folder + "/BORVALE_40617-.txt")
        opens = [li.apri("file://%s/BORVALE_%d-.txt" % (folder, i), text) for i in range(n)]
        return len(text.encode()), opens, None
    if case.startswith("notes"):
        mib = int(case[5:])
        row = "Notes: a long description of the line, kept before its general section.\r\n"
        text = row * ((mib << 20) // len(row)) + li.leggi(folder + "/BORVALE_linea.txt")
        uri = "file://" + folder + "/NOTE_linea.txt"
        return len(text.encode()), [li.apri(uri, text)], (uri, li.cambio(uri, 5))
    if case.startswith("big"):
        uri, text = li.linea_ripetuta(folder, int(case[3:]))
        return len(text.encode()), [li.apri(uri, text)], (uri, li.cambio(uri, text.count("\r\n") - 2))
    kind, mib = case.split("-")
    uri, text = li.righe_errate(folder, kind, int(mib))
    change = (uri, li.cambio(uri, text.count("\n") - 2)) if int(mib) >= 60 else None
    return len(text.encode()), [li.apri(uri, text)], change


def run(tool, case, folder):
    size, opens, change = case_messages(case, folder)
    server = subprocess.Popen([tool, "lsp"], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
    messages = queue.Queue()
    threading.Thread(target=reader, args=(server.stdout, messages), daemon=True).start()
    send = server.stdin
    start = time.monotonic()
    send.write(li.inizio())
    for m in opens:
        send.write(m)
    send.flush()
    opened = changed = changed_cpu = None
    if change is not None:
        uri, typed = change
        opened = wait_for(messages, published(uri), "the open's diagnostics") - start
        c0 = cpu_seconds(server.pid)
        t0 = time.monotonic()
        send.write(typed)
        send.flush()
        changed = wait_for(messages, published(uri), "the change's diagnostics") - t0
        changed_cpu = cpu_seconds(server.pid) - c0
    shutdown, leave = li.fine().split(b"Content-Length", 2)[1:]
    send.write(b"Content-Length" + shutdown)
    send.flush()
    wait_for(messages, lambda m: m.get("id") == 99, "the shutdown's answer")
    peak = peak_kib(server.pid)
    send.write(b"Content-Length" + leave)
    send.close()
    _, status, usage = os.wait4(server.pid, 0)
    return {
        "case": case, "size": size, "status": os.waitstatus_to_exitcode(status),
        "peak_kib": peak, "cpu_s": usage.ru_utime + usage.ru_stime,
        "wall_s": time.monotonic() - start, "open_s": opened, "change_s": changed, "change_cpu_s": changed_cpu,
    }


def main(argv):
    build = argv[0] if argv and not (argv[0] in ALL or "-" in argv[0] or argv[0][:4] in ("many", "note", "big")) else "build"
    cases = [a for a in argv if a != build] or ALL
    tool = os.path.abspath(os.path.join(build, "bin", "scenario_tool"))
    folder = tempfile.mkdtemp()
    try:
        subprocess.run([tool, "export", "--out", folder], check=True, stdout=subprocess.DEVNULL)
        print("%-14s %10s %10s %10s %8s %8s %8s %9s %11s" %
              ("case", "input", "peak", "goal", "cpu", "wall", "open", "change", "change cpu"))
        peaks = {}
        for case in cases:
            r = run(tool, case, folder)
            peaks[case] = r["peak_kib"]
            goal = "%.0f MiB" % (6 * r["size"] / 2**20 + 16) if not case.startswith("many") else "-"
            print("%-14s %8.1f MiB %6.1f MiB %10s %7.2fs %7.2fs %8s %9s %11s%s" % (
                case, r["size"] / 2**20, r["peak_kib"] / 1024, goal, r["cpu_s"], r["wall_s"],
                "%.2fs" % r["open_s"] if r["open_s"] is not None else "-",
                "%.3fs" % r["change_s"] if r["change_s"] is not None else "-",
                "%.2fs" % r["change_cpu_s"] if r["change_cpu_s"] is not None else "-",
                "" if r["status"] == 0 else "  exit %d" % r["status"]), flush=True)
        if "many1" in peaks and "many1000" in peaks:
            print("each open copy of the built-in run: %.1f kB (goal 256 kB)" %
                  ((peaks["many1000"] - peaks["many1"]) * 1024 / 999 / 1000))
    finally:
        shutil.rmtree(folder)


if __name__ == "__main__":
    resource.setrlimit(resource.RLIMIT_CORE, (0, 0))
    main(sys.argv[1:])
