// For tests: reading a picture back. A small well-formedness check, its
// text elements with where they stand, and whether any two of them overlap.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include "render/plan_svg_parts.h"

namespace sb::prova {

// A small well-formedness check: one root element, tags balanced and named
// alike, attributes quoted, only the five named entities or character
// references, no stray "<" or "&". Collects the text between tags, unescaped.
class lettore_xml {
 public:
  explicit lettore_xml(const std::string& s) : s_(s) {}

  bool ben_formato() {
    salta_spazi();
    if (s_.compare(p_, 5, "<?xml") == 0) {
      size_t f = s_.find("?>", p_);
      if (f == std::string::npos) return false;
      p_ = f + 2;
    }
    salta_spazi();
    if (!elemento()) return false;
    salta_spazi();
    return p_ == s_.size();
  }

  const std::vector<std::string>& testi() const { return testi_; }

 private:
  void salta_spazi() {
    while (p_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[p_]))) ++p_;
  }
  std::string nome() {
    size_t a = p_;
    while (p_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[p_])) || s_[p_] == '-' || s_[p_] == ':' ||
                              s_[p_] == '_' || s_[p_] == '.'))
      ++p_;
    return s_.substr(a, p_ - a);
  }
  // Unescapes text up to the stop character; false on a bad entity or "<".
  bool testo(char fine, std::string& out) {
    while (p_ < s_.size() && s_[p_] != fine) {
      if (s_[p_] == '<' ) return false;
      if (s_[p_] != '&') {
        out += s_[p_++];
        continue;
      }
      size_t f = s_.find(';', p_);
      if (f == std::string::npos) return false;
      std::string e = s_.substr(p_ + 1, f - p_ - 1);
      static const std::pair<const char*, char> nomi[] = {
          {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
      bool ok = false;
      for (const auto& [n, c] : nomi) {
        if (e == n) {
          out += c;
          ok = true;
        }
      }
      if (!ok && !(e.size() > 1 && e[0] == '#')) return false;
      p_ = f + 1;
    }
    return p_ < s_.size() || fine == '<';
  }
  bool elemento() {
    if (p_ >= s_.size() || s_[p_] != '<') return false;
    ++p_;
    std::string tag = nome();
    if (tag.empty()) return false;
    for (;;) {
      salta_spazi();
      if (s_.compare(p_, 2, "/>") == 0) {
        p_ += 2;
        return true;
      }
      if (p_ < s_.size() && s_[p_] == '>') break;
      if (nome().empty() || p_ >= s_.size() || s_[p_] != '=') return false;
      ++p_;
      if (p_ >= s_.size() || (s_[p_] != '"' && s_[p_] != '\'')) return false;
      char q = s_[p_++];
      std::string valore;
      if (!testo(q, valore)) return false;
      ++p_;
    }
    ++p_;
    for (;;) {
      std::string t;
      if (!testo('<', t) || p_ >= s_.size()) return false;
      if (t.find_first_not_of(" \t\r\n") != std::string::npos) testi_.push_back(t);
      if (s_.compare(p_, 2, "</") == 0) {
        p_ += 2;
        if (nome() != tag) return false;
        salta_spazi();
        if (p_ >= s_.size() || s_[p_] != '>') return false;
        ++p_;
        return true;
      }
      if (!elemento()) return false;
    }
  }

  const std::string s_;
  size_t p_ = 0;
  std::vector<std::string> testi_;
};

// How many of the texts are exactly t.
inline int conta(const std::vector<std::string>& testi, const std::string& t) {
  return static_cast<int>(std::count(testi.begin(), testi.end(), t));
}

// A text element of the picture: where it stands, its size and its words.
struct testo_svg {
  double x, y, corpo;
  std::string testo;
};

// The text elements of the picture, their words unescaped.
inline std::vector<testo_svg> testi_svg(const std::string& svg) {
  std::vector<testo_svg> out;
  for (size_t a = svg.find("<text "); a != std::string::npos; a = svg.find("<text ", a + 1)) {
    auto attributo = [&](const char* nome) {
      size_t k = svg.find(std::string(" ") + nome + "=\"", a);
      return std::stod(svg.substr(k + std::string(nome).size() + 3));
    };
    const size_t inizio = svg.find('>', a) + 1;
    std::string t = svg.substr(inizio, svg.find("</text>", inizio) - inizio);
    for (auto [entita, c] : {std::pair{"&apos;", "'"}, {"&quot;", "\""}, {"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}}) {
      for (size_t k = t.find(entita); k != std::string::npos; k = t.find(entita, k + 1)) {
        t.replace(k, std::string(entita).size(), c);
      }
    }
    out.push_back({attributo("x"), attributo("y"), attributo("font-size"), t});
  }
  return out;
}

// No two texts of the picture overlap, by the widths the layout assumes.
inline void nessuna_sovrapposizione(const std::string& svg) {
  std::vector<testo_svg> t = testi_svg(svg);
  for (size_t i = 0; i < t.size(); ++i) {
    riquadro a = svg::riquadro_testo(t[i].x - 1, t[i].y, t[i].corpo, t[i].testo);
    for (size_t j = i + 1; j < t.size(); ++j) {
      riquadro b = svg::riquadro_testo(t[j].x - 1, t[j].y, t[j].corpo, t[j].testo);
      EXPECT_FALSE(a.sovrappone(b)) << t[i].testo << " / " << t[j].testo;
    }
  }
}

}  // namespace sb::prova
