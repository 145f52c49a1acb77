#include "text_input/utf8_input.h"

#include <cerrno>
#include <iconv.h>

#include "text_input/text_lines.h"

namespace sb {
namespace {

// Length of the UTF-8 sequence that starts with the byte, 0 when it cannot
// start one.
size_t lunghezza_sequenza(unsigned char c) {
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) return 2;
  if (c >= 0xE0 && c <= 0xEF) return 3;
  if (c >= 0xF0 && c <= 0xF4) return 4;
  return 0;
}

// One iconv conversion descriptor, closed when it goes.
class convertitore {
 public:
  convertitore(const char* verso, const char* da) : cd_(iconv_open(verso, da)) {}
  ~convertitore() {
    if (valido()) iconv_close(cd_);
  }
  convertitore(const convertitore&) = delete;
  convertitore& operator=(const convertitore&) = delete;

  bool valido() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much as it can from in; returns 0 or the errno that stopped it.
  int converti(std::string_view& in, std::string& out) {
    char buffer[4096];
    while (!in.empty()) {
      char* sorgente = const_cast<char*>(in.data());
      size_t resto = in.size();
      char* dest = buffer;
      size_t spazio = sizeof buffer;
      size_t r = iconv(cd_, &sorgente, &resto, &dest, &spazio);
      int e = errno;
      out.append(buffer, static_cast<size_t>(dest - buffer));
      in.remove_prefix(in.size() - resto);
      if (r != static_cast<size_t>(-1)) continue;
      if (e != E2BIG) return e;
    }
    return 0;
  }

 private:
  iconv_t cd_;
};

// The character shown for a byte that stands for none.
constexpr char32_t kSostituto = 0xFFFD;

// The characters of code page 1252's bytes 0x80 to 0x9F; the five bytes the
// code page leaves undefined show as the replacement character.
constexpr char32_t kDa80A9F[32] = {
    0x20AC, kSostituto, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, kSostituto, 0x017D, kSostituto,  // 88-8F
    kSostituto, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, kSostituto, 0x017E, 0x0178,  // 98-9F
};

// Appends one code point below U+10000 as UTF-8.
void aggiungi_utf8(std::string& out, char32_t punto) {
  if (punto < 0x80) {
    out += static_cast<char>(punto);
  } else if (punto < 0x800) {
    out += static_cast<char>(0xC0 | (punto >> 6));
    out += static_cast<char>(0x80 | (punto & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (punto >> 12));
    out += static_cast<char>(0x80 | ((punto >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (punto & 0x3F));
  }
}

}  // namespace

bool utf8_valido(std::string_view byte) {
  size_t i = 0;
  while (i < byte.size()) {
    unsigned char c = static_cast<unsigned char>(byte[i]);
    size_t n = lunghezza_sequenza(c);
    if (n == 0 || i + n > byte.size()) return false;
    for (size_t k = 1; k < n; ++k) {
      if ((static_cast<unsigned char>(byte[i + k]) & 0xC0) != 0x80) return false;
    }
    unsigned char c1 = n > 1 ? static_cast<unsigned char>(byte[i + 1]) : 0;
    if (c == 0xE0 && c1 < 0xA0) return false;  // overlong
    if (c == 0xED && c1 >= 0xA0) return false;  // surrogate
    if (c == 0xF0 && c1 < 0x90) return false;  // overlong
    if (c == 0xF4 && c1 >= 0x90) return false;  // above U+10FFFF
    i += n;
  }
  return true;
}

bool ha_non_ascii(std::string_view byte) {
  for (char c : byte) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

testo_convertito prepara_testo(std::string_view byte) {
  testo_convertito esito;
  if (!ha_non_ascii(byte) || !utf8_valido(byte)) {
    esito.byte = byte;
    return esito;
  }
  esito.convertito = true;
  const std::string_view tutto = byte;
  if (byte.substr(0, 3) == "\xEF\xBB\xBF") byte.remove_prefix(3);
  convertitore cv("CP1252", "UTF-8");
  if (!cv.valido()) {
    esito.byte = tutto;
    esito.convertito = false;
    return esito;
  }
  // Code page 1252 takes a byte for each character: never more than UTF-8.
  esito.byte.reserve(byte.size());
  righe_testo righe(tutto);
  int32_t ultima_riga = 0;  // the line of the last "?"
  while (!byte.empty()) {
    if (cv.converti(byte, esito.byte) == 0) break;
    // A valid character with no code page 1252 form: "?" in its place.
    size_t pos = static_cast<size_t>(byte.data() - tutto.data());
    righe.fino_a(pos);
    const int32_t riga = righe.numero();
    if (esito.righe_sostituite == 0 || ultima_riga != riga) {
      ultima_riga = riga;
      ++esito.righe_sostituite;
      const size_t a_capo = esito.byte.find_last_of("\r\n");
      const size_t inizio_riga = a_capo == std::string::npos ? 0 : a_capo + 1;
      if (esito.sostituiti.size() < kSostituitiConservati) {
        esito.sostituiti.push_back({riga, static_cast<int32_t>(esito.byte.size() - inizio_riga) + 1});
      }
    }
    esito.byte += '?';
    size_t n = lunghezza_sequenza(static_cast<unsigned char>(byte[0]));
    byte.remove_prefix(n == 0 ? 1 : n);
  }
  return esito;
}

std::optional<testo_rifiutato> rifiuta_testo(std::string_view byte) {
  const bool bom_16 = byte.substr(0, 2) == "\xFF\xFE" || byte.substr(0, 2) == "\xFE\xFF";
  const size_t nul = byte.find('\0');
  if (!bom_16 && nul == std::string_view::npos) return std::nullopt;
  // UTF-32 puts three NULs beside every letter of a Latin text, and its byte
  // order mark begins as UTF-16's does.
  const std::string_view zeri("\0\0\0", 3);
  const bool utf32 = byte.substr(0, 4) == std::string_view("\xFF\xFE\0\0", 4) ||
                     byte.substr(0, 4) == std::string_view("\0\0\xFE\xFF", 4) ||
                     (byte.size() >= 4 && (byte.substr(1, 3) == zeri || byte.substr(0, 3) == zeri));
  if (utf32) return testo_rifiutato{{0, 0}, "the text is UTF-32: save it as UTF-8 or as code page 1252"};
  // UTF-16 puts a NUL beside nearly every letter of a Latin text.
  const bool alterno = nul < 2 && byte.size() >= 4 && byte[nul + 2] == '\0';
  if (bom_16 || alterno) {
    return testo_rifiutato{{0, 0}, "the text is UTF-16: save it as UTF-8 or as code page 1252"};
  }
  righe_testo righe(byte);
  righe.fino_a(nul);
  const int32_t riga = righe.numero();
  const size_t inizio = righe.inizio();
  // Columns count characters: the continuation bytes of UTF-8 do not count.
  const bool utf8 = utf8_valido(byte);
  int32_t colonna = 1;
  for (size_t i = inizio; i < nul; ++i) {
    if (!utf8 || (static_cast<unsigned char>(byte[i]) & 0xC0) != 0x80) ++colonna;
  }
  return testo_rifiutato{{riga, colonna},
                         "the text holds a NUL byte: a description is plain text"};
}

std::string visibile(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if ((c < 0x20 && c != '\t') || c == 0x7F) {
      const unsigned simbolo = c == 0x7F ? 0x2421 : 0x2400 + c;  // the Control Pictures
      out += static_cast<char>(0xE0 | (simbolo >> 12));
      out += static_cast<char>(0x80 | ((simbolo >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (simbolo & 0x3F));
    } else if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
      out += "\xEF\xBF\xBD";
      ++i;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string cp1252_in_utf8(std::string_view byte) {
  if (!ha_non_ascii(byte)) return std::string(byte);
  std::string out;
  out.reserve(byte.size() + byte.size() / 2);
  for (char c : byte) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x80) {
      out += c;
      continue;
    }
    // 0xA0 to 0xFF are the code points of the same number; 0x80 to 0x9F
    // have a table of their own.
    const char32_t punto = u >= 0xA0 ? char32_t{u} : kDa80A9F[u - 0x80];
    aggiungi_utf8(out, punto);
  }
  return out;
}

std::string utf8_riparato(std::string_view byte) {
  if (utf8_valido(byte)) return std::string(byte);
  std::string out;
  size_t i = 0;
  while (i < byte.size()) {
    const size_t n = lunghezza_sequenza(static_cast<unsigned char>(byte[i]));
    if (n > 0 && i + n <= byte.size() && utf8_valido(byte.substr(i, n))) {
      out.append(byte.substr(i, n));
      i += n;
      continue;
    }
    aggiungi_utf8(out, kSostituto);
    ++i;
  }
  return out;
}

}  // namespace sb
