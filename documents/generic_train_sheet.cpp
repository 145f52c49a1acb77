#include "documents/generic_train_sheet.h"

#include <algorithm>
#include <string>

#include "documents/compiled_run.h"
#include "documents/line_landmarks.h"
#include "scenario/format.h"

namespace sb {
namespace {

// The sheet has at least as many pages as the builder's.
constexpr size_t kPagineMinime = 4;

// Characters the train number takes in its box, after "TRENO n.".
constexpr size_t kLarghezzaNumeroTreno = 8;

// Where a row goes among those at the same position.
enum class rango { origine, stazione, riferimento, velocita, destinazione };

// A route row with what orders it.
struct voce_ordinata {
  int64_t posizione;
  rango r;
  voce_scheda voce;
};

// The remark for a text cut to the width of its field (dove), or nothing
// when it fits; campo is where the text stood in the author's row.
void se_tagliato(std::vector<diagnostica>& avvisi, const std::string& testo, size_t larghezza,
                 const std::string& che_cosa, const std::string& dove, const luogo_testo& campo) {
  if (testo.size() <= larghezza) return;
  const std::string messaggio = che_cosa + " is longer than the " + std::to_string(larghezza) +
                                " characters of the train sheet's " + dove + ": cut to \"" +
                                testo.substr(0, larghezza) + "\"";
  avvisi.push_back(avviso_documento(genere_avviso::testo_tagliato, campo, messaggio));
}

// A station's name cut to the width of a field, with its remark.
void nome_stazione(const scenario& s, int voce, size_t larghezza, const std::string& dove,
                   std::vector<diagnostica>& avvisi) {
  const std::string& nome = s.tabella[static_cast<size_t>(voce)].nome;
  se_tagliato(avvisi, nome, larghezza, "the station name", dove,
              s.luogo_voce[static_cast<size_t>(voce)]);
}

// The row of a station: its name, chainage, the limit there and its times.
voce_scheda voce_stazione(const scenario& s, int voce, rango r) {
  const oggetto& o = s.tabella[static_cast<size_t>(voce)];
  voce_scheda v{velocita_a(s, o.posizione), progressiva_a(s.tabella, o.posizione), o.nome};
  if (o.orario == 0) return v;
  v.ora = o.orario;
  if (o.tipo >= kTipoTransito) {
    v.orario = tipo_orario::transito;
  } else if (r == rango::origine) {
    v.orario = tipo_orario::partenza;
  } else if (r == rango::destinazione) {
    v.orario = tipo_orario::arrivo;
  } else {
    // A stop's dwell in seconds is its value opzione_3.
    v.orario = tipo_orario::fermata;
    v.arrivo = int64_t{o.orario} - o.opzione_3;
  }
  return v;
}

// The stations' rows.
void righe_stazioni(const scenario& s, const std::vector<int>& stazioni, std::vector<voce_ordinata>& voci,
                    std::vector<diagnostica>& avvisi) {
  for (size_t i = 0; i < stazioni.size(); ++i) {
    const rango r = i == 0 ? rango::origine : i + 1 == stazioni.size() ? rango::destinazione : rango::stazione;
    voci.push_back({s.tabella[static_cast<size_t>(stazioni[i])].posizione, r, voce_stazione(s, stazioni[i], r)});
    nome_stazione(s, stazioni[i], kLarghezzaLocalita, "Localita' column", avvisi);
  }
}

// The landmarks' rows from a to b.
void righe_riferimenti(const scenario& s, int64_t a, int64_t b, std::vector<voce_ordinata>& voci,
                       std::vector<diagnostica>& avvisi) {
  for (const riferimento_linea_compilata& r : riferimenti_compilati(s)) {
    if (r.posizione < a || r.posizione > b) continue;
    voci.push_back({r.posizione, rango::riferimento, {velocita_a(s, r.posizione), r.progressiva, r.testo}});
    if (r.voce_didascalia == 0) continue;
    const size_t voce = static_cast<size_t>(r.voce_didascalia);
    se_tagliato(avvisi, r.testo, kLarghezzaLocalita, "the sign caption, worded \"" + r.testo + "\",",
                "Localita' column", s.luogo_voce[voce]);
  }
}

// A row wherever the speed limit changes from a to b, unless another row
// prints the same chainage.
void righe_velocita(const scenario& s, int64_t a, int64_t b, std::vector<voce_ordinata>& voci) {
  for (int64_t p = a + kMetriCella; p < b; p += kMetriCella) {
    const int32_t v = velocita_a(s, p);
    if (v == velocita_a(s, p - kMetriCella)) continue;
    const int64_t progressiva = progressiva_a(s.tabella, p);
    const bool occupata = std::any_of(voci.begin(), voci.end(), [progressiva](const voce_ordinata& o) {
      return o.voce.progressiva == progressiva;
    });
    if (!occupata) voci.push_back({p, rango::velocita, {v, progressiva, ""}});
  }
}

}  // namespace

std::vector<voce_scheda> voci_scheda_compilata(const scenario& s, std::vector<diagnostica>& avvisi) {
  const std::vector<int> stazioni = voci_stazioni(s);
  if (stazioni.empty()) return {};
  const int64_t a = s.tabella[static_cast<size_t>(stazioni.front())].posizione;
  const int64_t b = s.tabella[static_cast<size_t>(stazioni.back())].posizione;
  std::vector<voce_ordinata> voci;
  righe_stazioni(s, stazioni, voci, avvisi);
  righe_riferimenti(s, a, b, voci, avvisi);
  righe_velocita(s, a, b, voci);
  std::stable_sort(voci.begin(), voci.end(), [](const voce_ordinata& x, const voce_ordinata& y) {
    return x.posizione != y.posizione ? x.posizione < y.posizione : x.r < y.r;
  });
  std::vector<voce_scheda> out;
  for (const voce_ordinata& v : voci) out.push_back(v.voce);
  return out;
}

testata_scheda testata_compilata(const scenario& s, std::vector<diagnostica>& avvisi) {
  const std::vector<int> stazioni = voci_stazioni(s);
  const oggetto& generale = s.tabella[kOggettoGenerale];
  testata_scheda t;
  t.data = a_sinistra(" data " + std::string(12, '.'), kLarghezzaRiquadro);
  t.treno = a_sinistra("   TRENO n." + s.numero_treno.substr(0, kLarghezzaNumeroTreno), kLarghezzaRiquadro);
  se_tagliato(avvisi, s.numero_treno, kLarghezzaNumeroTreno, "the train number", "header",
              luogo_testo{});
  std::string partenza;
  for (size_t i = 0; i < 2 && !stazioni.empty(); ++i) {
    const int voce = i == 0 ? stazioni.front() : stazioni.back();
    (i == 0 ? t.origine : t.destinazione) = s.tabella[static_cast<size_t>(voce)].nome;
    nome_stazione(s, voce, kLarghezzaStazioneTestata, "header", avvisi);
  }
  t.origine = a_sinistra(t.origine, kLarghezzaStazioneTestata);
  t.destinazione = a_sinistra(t.destinazione, kLarghezzaStazioneTestata);
  if (!stazioni.empty() && s.tabella[static_cast<size_t>(stazioni.front())].orario != 0) {
    const int32_t ora = s.tabella[static_cast<size_t>(stazioni.front())].orario;
    partenza = ore_minuti(ora) + mezzo(ora);
  }
  t.riquadro_alto = a_sinistra("  part. " + partenza, kLarghezzaRiquadroDestro);
  t.riquadro_basso = al_centro(std::to_string(generale.inizio) + "%", kLarghezzaRiquadroDestro);
  t.titolo_sinistro = al_centro("LINEA", kLarghezzaRiquadro);
  t.titolo_destro = al_centro("VETTURE", kLarghezzaRiquadro);
  t.valore_sinistro = al_centro(s.nome_linea, kLarghezzaRiquadro);
  se_tagliato(avvisi, s.nome_linea, kLarghezzaRiquadro, "the line name", "LINEA box",
              luogo_testo{});
  t.valore_destro = al_centro(std::to_string(generale.posizione), kLarghezzaRiquadro);
  return t;
}

documento_composto scheda_compilata(const scenario& s) {
  documento_composto d;
  const testata_scheda testata = testata_compilata(s, d.avvisi);
  const std::vector<voce_scheda> voci = voci_scheda_compilata(s, d.avvisi);
  if (voci_stazioni(s).empty()) {
    d.avvisi.push_back(avviso_documento(genere_avviso::testo_senza, {origine_errore::testo_servizio, 0, 0},
                                        "the service has no station: the train sheet lists no route"));
  }
  d.righe = pagine_scheda(testata, voci, kPagineMinime);
  verifica_lunghezza(d, "train sheet");
  return d;
}

}  // namespace sb
