#!/usr/bin/env python3
"""Writes what an editor would send the language server, framed, for the
memory and latency figures of docs/performance.md:

  lsp_inputs.py big FOLDER OUT SIZE_MIB [change]
      open FOLDER/BIG_linea.txt, FOLDER/BORVALE_linea.txt's rows repeated
      to SIZE_MIB (its [fine] moved to the end); with "change", then one
      letter typed into its last row
  lsp_inputs.py notes FOLDER OUT SIZE_MIB [change]
      open FOLDER/NOTE_linea.txt: SIZE_MIB of notes before the built-in
      line; with "change", then one letter typed into the notes
  lsp_inputs.py many FOLDER OUT N
      open N copies of FOLDER/BORVALE_40617-.txt as FOLDER/BORVALE_I-.txt
      (each pairs with the line on disk)
  lsp_inputs.py errors FOLDER OUT SIZE_MIB
      open FOLDER/ERR_7-.txt: the service's head, then 'velocita, 1x00, 80'
      (an error each) to SIZE_MIB
  lsp_inputs.py rows KIND FOLDER OUT SIZE_MIB [change]
      open a text whose every row is a finding, SIZE_MIB long, of KIND:
      numbers (FOLDER/ROWS_1-.txt, 'velocita, 10, 85x' after [vel_limite]),
      curves (FOLDER/ROWS_linea.txt, 'curvas, 5000, 900' after [curve]) or
      gradients (FOLDER/ROWS_linea.txt, 'pendenza, 0, 200' after
      [pendenze]), its lines ended by LF as on Linux (with CR LF the
      message of 60 MiB of such rows would be over the protocol's 64 MiB);
      with "change", then one letter typed into its last row
  lsp_inputs.py unknown OUT SIZE_MIB
      a notification of an unknown method whose params hold SIZE_MIB
  lsp_inputs.py header OUT SIZE_MIB
      a header line of SIZE_MIB bytes without a line end, then a message
Every input starts with initialize and ends with shutdown and exit.
"""
import json
import sys


def frame(m):
    b = json.dumps(m, separators=(",", ":"), ensure_ascii=False).encode()
    return b"Content-Length: %d\r\n\r\n" % len(b) + b


def inizio():
    return frame({"jsonrpc": "2.0", "id": 0, "method": "initialize", "params": {}})


def fine():
    return frame({"jsonrpc": "2.0", "id": 99, "method": "shutdown"}) + frame({"jsonrpc": "2.0", "method": "exit"})


def apri(uri, testo):
    return frame({"jsonrpc": "2.0", "method": "textDocument/didOpen",
                  "params": {"textDocument": {"uri": uri, "version": 1, "text": testo}}})


def leggi(percorso):
    return open(percorso, "rb").read().decode("cp1252")


def ripeti(testa, righe, coda, mib):
    out = [testa]
    n = len(testa) + len(coda)
    i = 0
    while n < mib << 20:
        r = righe[i % len(righe)]
        out.append(r)
        n += len(r)
        i += 1
    out.append(coda)
    return "".join(out)


# The kinds of rows that are each a finding: the text they go in, the section
# they follow and the row.
RIGHE_ERRATE = {
    "numbers": ("BORVALE_40617-.txt", "ROWS_1-.txt", "[vel_limite]", "velocita, 10, 85x\n"),
    "curves": ("BORVALE_linea.txt", "ROWS_linea.txt", "[curve]", "curvas, 5000, 900\n"),
    "gradients": ("BORVALE_linea.txt", "ROWS_linea.txt", "[pendenze]", "pendenza, 0, 200\n"),
}


def righe_errate(cartella, genere, mib):
    """The URI and text of a document of MIB whose every row is a finding of
    the kind GENERE, as .ci/checks/trust.sh writes them for the commands
    but with LF line ends."""
    sorgente, nome, sezione, riga = RIGHE_ERRATE[genere]
    testo = leggi(cartella + "/" + sorgente).replace("\r\n", "\n")
    testa = testo[: testo.index(sezione)] + sezione + "\n"
    n = ((mib << 20) - len(testa) - 7) // len(riga)
    return "file://" + cartella + "/" + nome, testa + riga * n + "[fine]\n"


def cambio(uri, riga, versione=2):
    """One letter typed at the start of row RIGA."""
    return frame({"jsonrpc": "2.0", "method": "textDocument/didChange",
                  "params": {"textDocument": {"uri": uri, "version": versione},
                             "contentChanges": [{"range": {"start": {"line": riga, "character": 0},
                                                           "end": {"line": riga, "character": 0}},
                                                 "text": "x"}]}})


def linea_ripetuta(cartella, mib):
    """The URI and text of BIG_linea.txt: the built-in line's rows repeated to
    MIB, its [fine] moved to the end."""
    linea = leggi(cartella + "/BORVALE_linea.txt")
    testa, coda = linea[: linea.index("[fine]")], "[fine]\r\n"
    righe = [r + "\r\n" for r in testa[testa.index("[curve]"):].split("\r\n") if r and not r.startswith("[")]
    return "file://" + cartella + "/BIG_linea.txt", ripeti(testa, righe, coda, mib)


def main(a):
    if a[0] == "big":
        uri, testo = linea_ripetuta(a[1], int(a[3]))
        out = inizio() + apri(uri, testo)
        if len(a) > 4:
            riga = testo.count("\r\n") - 2
            out += frame({"jsonrpc": "2.0", "method": "textDocument/didChange",
                          "params": {"textDocument": {"uri": uri, "version": 2},
                                     "contentChanges": [{"range": {"start": {"line": riga, "character": 0},
                                                                   "end": {"line": riga, "character": 0}},
                                                         "text": "x"}]}})
    elif a[0] == "notes":
        riga = "Notes: a long description of the line, kept before its general section.\r\n"
        testo = riga * ((int(a[3]) << 20) // len(riga)) + leggi(a[1] + "/BORVALE_linea.txt")
        uri = "file://" + a[1] + "/NOTE_linea.txt"
        out = inizio() + apri(uri, testo)
        if len(a) > 4:
            out += frame({"jsonrpc": "2.0", "method": "textDocument/didChange",
                          "params": {"textDocument": {"uri": uri, "version": 2},
                                     "contentChanges": [{"range": {"start": {"line": 5, "character": 0},
                                                                   "end": {"line": 5, "character": 0}},
                                                         "text": "x"}]}})
    elif a[0] == "many":
        servizio = leggi(a[1] + "/BORVALE_40617-.txt")
        out = inizio() + b"".join(apri("file://%s/BORVALE_%d-.txt" % (a[1], i), servizio) for i in range(int(a[3])))
    elif a[0] == "errors":
        servizio = leggi(a[1] + "/BORVALE_40617-.txt")
        testa = servizio[: servizio.index("[vel_limite]") + len("[vel_limite]\r\n")]
        testo = ripeti(testa, ["velocita, 1x00, 80\r\n"], "[fine]\r\n", int(a[3]))
        out = inizio() + apri("file://" + a[1] + "/BORVALE_9-.txt", testo)
    elif a[0] == "rows":
        uri, testo = righe_errate(a[2], a[1], int(a[4]))
        out = inizio() + apri(uri, testo)
        if len(a) > 5:
            out += cambio(uri, testo.count("\n") - 2)
        a = a[1:]
    elif a[0] == "unknown":
        a = [a[0], "", a[1], a[2]]
        out = inizio() + frame({"jsonrpc": "2.0", "method": "x/unknown", "params": {"a": "y" * (int(a[3]) << 20)}})
    elif a[0] == "header":
        a = [a[0], "", a[1], a[2]]
        out = inizio() + b"x" * (int(a[3]) << 20)
        out += b"\r\n" + frame({"jsonrpc": "2.0", "id": 1, "method": "shutdown"})
        out += frame({"jsonrpc": "2.0", "method": "exit"})
        open(a[2], "wb").write(out)
        return
    open(a[2], "wb").write(out + fine())


if __name__ == "__main__":
    main(sys.argv[1:])
