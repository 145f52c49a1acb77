#include "lsp/message_envelope.h"

namespace sb {
namespace {

using json = nlohmann::json;

// The reader's events: depth counted, the top level's members noted.
class lettore_busta : public nlohmann::json_sax<json> {
 public:
  lettore_busta(busta_messaggio& b, int massima) : b_(b), massima_(massima) {}

  bool null() override { return scalare(nullptr); }
  bool boolean(bool v) override { return scalare(v); }
  bool number_integer(number_integer_t v) override { return scalare(v); }
  bool number_unsigned(number_unsigned_t v) override { return scalare(v); }
  bool number_float(number_float_t v, const string_t&) override { return scalare(v); }
  // A string is copied only when it is the method or the id: a document's
  // text of megabytes is read past.
  bool string(string_t& v) override {
    if (profondita_ != 1) return true;
    if (chiave_ == "method") b_.metodo = v;
    if (chiave_ == "id") {
      b_.id_valido = true;
      b_.id = v;
    }
    return true;
  }
  bool binary(binary_t&) override { return scalare(nullptr); }
  bool start_object(std::size_t) override { return apre(true); }
  bool start_array(std::size_t) override { return apre(false); }
  bool end_object() override { return chiude(); }
  bool end_array() override { return chiude(); }
  bool key(string_t& k) override {
    if (profondita_ != 1) return true;
    chiave_ = k;
    if (k == "id") b_.con_id = true;
    if (k == "result" || k == "error") b_.risposta = true;
    return true;
  }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override { return false; }

 private:
  // A value that opens nothing, but a string: an id of the top level is kept.
  bool scalare(const json& v) {
    if (profondita_ == 1 && chiave_ == "id") {
      b_.id_valido = v.is_number_integer() || v.is_string();
      b_.id = b_.id_valido ? v : json(nullptr);
    }
    return true;
  }

  bool apre(bool oggetto) {
    if (profondita_ == 0) b_.oggetto = oggetto;
    if (profondita_ == 1 && chiave_ == "id") b_.id_valido = false;
    if (++profondita_ > massima_) {
      b_.troppo_profondo = true;
      return false;
    }
    return true;
  }

  bool chiude() {
    --profondita_;
    return true;
  }

  busta_messaggio& b_;
  int massima_;
  int profondita_ = 0;
  std::string chiave_;
};

}  // namespace

busta_messaggio esamina_messaggio(std::string_view corpo, int profondita_massima) {
  busta_messaggio b;
  lettore_busta l(b, profondita_massima);
  b.json = json::sax_parse(corpo, &l) && !b.troppo_profondo;
  if (!b.json && !b.troppo_profondo) return busta_messaggio{};
  return b;
}

}  // namespace sb
