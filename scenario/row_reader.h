// One row of a description text read value by value: every failed read
// records code 25 with what was wrong and where, a row that runs into the
// next row is told at the row that is short, and values beyond the row are
// told too. The values read are exactly the field reader's.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "grammar/row_kinds.h"
#include "scenario/scenario_records.h"
#include "text_input/field_reader.h"

namespace sb {

// One row being read, of a kind of the grammar: its count of values, their
// ranges and the keywords that may follow it are the kind's. Made right
// after its keyword field was read. `parola` names the row in messages
// where its kind's keyword would not ("curva" for every curve); empty: the
// kind's keyword.
class lettura_riga {
 public:
  lettura_riga(scenario& s, lettore_campi& l, origine_errore origine, const tipo_riga& tipo,
               std::string_view parola = {});

  // A 32-bit value; the name is the value's in messages ("position").
  [[nodiscard]] bool leggi(int32_t& v, std::string_view nome);

  // A value that must fit a 16-bit or an unsigned 8-bit field.
  [[nodiscard]] bool leggi(int16_t& v, std::string_view nome);
  [[nodiscard]] bool leggi(uint8_t& v, std::string_view nome);

  // The row's text value (a name or a caption), the last of the row. The
  // advice tells what to do when a comma cuts it short.
  [[nodiscard]] bool leggi_testo(std::string& t, std::string_view nome, std::string_view consiglio);

  // After the last value: tells about what stands beyond the row on its line.
  void chiudi();

  // Where the keyword stood.
  luogo_testo chiave() const { return chiave_; }

  // Where value k (from 0) stood; the keyword when it was not read.
  luogo_testo valore(size_t k) const;

  // Where the characters of the text value read begin (past an opening
  // double quote); the keyword when none was read.
  luogo_testo testo_letto() const { return ultimo_testo_ ? testo_ : chiave_; }

 private:
  bool fallita(esito_lettura e, std::string_view nome);
  bool e_chiave(std::string_view campo) const;
  std::string non_un_valore(std::string_view token, std::string_view nome) const;
  bool fuori_campo(int64_t v, int64_t minimo, int64_t massimo, std::string_view nome);
  void letto();
  luogo_testo qui() const;
  luogo_testo fine_precedente() const;
  std::string dopo_quanti() const;
  std::string perche_tabulato() const;
  bool decimale_con_virgola(std::string_view resto, size_t inizio) const;
  // A warning at a double quote not closed on its line: what it took in.
  void avvisa_virgolette(const campo_letto& c, std::string_view nome);

  scenario& s_;
  lettore_campi& l_;
  origine_errore origine_;
  const tipo_riga& tipo_;
  std::string_view parola_;
  int32_t valori_;
  luogo_testo chiave_;
  int32_t riga_fine_ = 0;     // where the keyword or the last value ended
  int32_t colonna_fine_ = 0;
  int32_t letti_ = 0;
  bool ultimo_testo_ = false;
  bool nella_riga_seguente_ = false;  // the last value came from the next row
  luogo_testo testo_;  // where the text value's characters begin
  bool tabulato_ = false;  // tabs, not commas, split the keyword's line: its values went into the keyword field
  std::string_view nome_testo_, consiglio_;
  std::string_view ultimo_scritto_;  // the last value's bytes as written
  // Where each value stood; only the first letti_ are set.
  static constexpr size_t kValoriMassimi = 17;
  int32_t righe_[kValoriMassimi];
  int32_t colonne_[kValoriMassimi];
};

// A piece of the author's text between quotes, cut after 40 bytes.
std::string cita(std::string_view testo);

// What is wrong with a token read where a whole number goes: "expected a
// whole number, found '22O00'", "105.5: decimals are not allowed", "position
// 9999999999 does not fit -2147483648..2147483647".
std::string non_un_numero(std::string_view token, std::string_view nome);

}  // namespace sb
