#include "tools/import_command.h"

#include <ostream>

#include "compile/exit_status.h"
#include "osm_import/names.h"
#include "platform/writer.h"
#include "scenario/file_names.h"

namespace sb {

std::string nome_linea_da_luogo(const std::string& luogo) {
  std::string nome;
  for (char c : piegato(luogo)) {
    const bool lettera = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (lettera) nome += static_cast<char>(c >= 'a' ? c - 'a' + 'A' : c);
    else if (!nome.empty() && nome.back() != '-') nome += '-';
  }
  while (!nome.empty() && nome.back() == '-') nome.pop_back();
  return nome.empty() ? "LINEA" : nome;
}

int esegui_import(const opzioni_import& o, std::ostream& out, std::ostream& err) {
  const esito_import_osm e = importa_osm(o.richiesta);
  if (e.fine != fine_import::fatto) {
    err << "scenario_tool import osm: " << e.errore << "\n";
    return e.fine == fine_import::file_fallito ? kUscitaFile : kUscitaCodice;
  }
  richiesta_scrittura rs;
  rs.comando = "import";
  rs.cartella = o.cartella;
  rs.attesa = o.attesa;
  rs.tieni_esistenti = !o.forza;
  const std::string& linea = o.richiesta.nome_linea;
  return scrivi_testi_nuovi(rs,
                            {{nome_testo_linea(linea), e.testo_linea},
                             {nome_testo_servizio(linea, o.richiesta.numero_treno), e.testo_servizio}},
                            e.detto, out, err);
}

namespace {

constexpr const char* kAiutoImport =
    "usage: scenario_tool import osm FILE --from PLACE --to PLACE [--via PLACE]...\n"
    "                                [--elevation FILE] [--line-name NAME] [--train NUMBER]\n"
    "                                --out DIR [--force] [--no-wait]\n"
    "\n"
    "Makes a line description and a service description of a real line from an\n"
    "OpenStreetMap file (.osm, .osm.pbf, .osm.bz2 or .osm.gz): the shortest route along\n"
    "railway=rail tracks between the places, running lines before sidings, with its\n"
    "curves, stations, speed limits, tunnels and level crossings. Writes NAME_linea.txt\n"
    "and NAME_TRAIN-.txt into DIR; they compile clean. Tells the route, the stations,\n"
    "every default it assumed and how far the compiled plan departs from the track.\n"
    "\n"
    "A PLACE is a station's name (without regard to case and accents), a node (n123)\n"
    "or a latitude and longitude (47.1686,9.5082).\n"
    "\n"
    "  --from PLACE       where the route begins (its origin station)\n"
    "  --to PLACE         where it ends (its destination)\n"
    "  --via PLACE        a place the route passes; may be given several times\n"
    "  --elevation FILE   heights along the route: CSV (metre,height or lat,lon,height)\n"
    "                     or GPX; without it the line is level\n"
    "  --line-name NAME   the line's name (default: the first place's, in capitals)\n"
    "  --train NUMBER     the train's number (default: 1)\n"
    "  --out DIR          the folder to write into (created when missing)\n"
    "  --force            replace texts already in DIR (without it they are kept, status 4)\n"
    "  --no-wait          fail at once (status 4) when another run is writing in DIR\n"
    "\n"
    "Exit status: 0 written; 1 the data or the places make no route (nothing written);\n"
    "2 usage error; 4 a file could not be read or written.\n";

// Runs "import" with its parsed command line.
int comando_import(const riga_comando& r, std::ostream& out, std::ostream& err, bool) {
  if (r.operandi.empty() || r.operandi[0] != "osm") return uso(err, "import", "the source is 'osm': import osm FILE");
  if (r.operandi.size() < 2) return uso(err, "import", "import osm needs the OSM file");
  opzioni_import o;
  o.richiesta.file = r.operandi[1];
  o.cartella = r.valore("--out", "");
  if (o.cartella.empty()) return uso(err, "import", "--out DIR is required");
  if (r.valore("--from", "").empty() || r.valore("--to", "").empty()) {
    return uso(err, "import", "--from PLACE and --to PLACE are required");
  }
  o.richiesta.luoghi.push_back(r.valore("--from", ""));
  for (const std::string& v : r.tutti("--via")) o.richiesta.luoghi.push_back(v);
  o.richiesta.luoghi.push_back(r.valore("--to", ""));
  o.richiesta.elevazione = r.valore("--elevation", "");
  o.richiesta.nome_linea = r.valore("--line-name", nome_linea_da_luogo(r.valore("--from", "")));
  o.richiesta.numero_treno = r.valore("--train", "1");
  if (!nome_valido(o.richiesta.nome_linea)) return uso(err, "import", "--line-name must be a plain name");
  if (!nome_valido(o.richiesta.numero_treno) || o.richiesta.numero_treno.find('_') != std::string::npos) {
    return uso(err, "import", "--train must be a plain name without '_'");
  }
  o.forza = r.ha("--force");
  o.attesa = attesa(r);
  return esegui_import(o, out, err);
}

}  // namespace

comando_strumento voce_import() {
  return {"import",
          "make a line and a run from an OpenStreetMap file (import osm)",
          kAiutoImport,
          {{"--from", true},
           {"--to", true},
           {"--via", true, true},
           {"--elevation", true},
           {"--line-name", true},
           {"--train", true},
           {"--out", true},
           {"--force", false},
           {"--no-wait", false}},
          2,
          comando_import};
}

}  // namespace sb
