#include "render/view_page.h"

#include "inspect/json_text.h"
#include "render/view_page_parts.h"
#include "scene/scene_json.h"

namespace sb {
namespace {

// Fills the template's place named `segnaposto`, the first one from `da`;
// returns where the search for the next place goes on, past what was put in.
size_t riempi(std::string& pagina, size_t da, std::string_view segnaposto, const std::string& contenuto) {
  const size_t dove = pagina.find(segnaposto, da);
  if (dove == std::string::npos) return da;
  pagina.replace(dove, segnaposto.size(), contenuto);
  return dove + contenuto.size();
}

// JSON that can stand inside a script element: no "<" at all, so that
// nothing in a name can end the element or open a comment in it. A "<" only
// stands inside strings, where \u003c reads the same.
std::string per_script(const std::string& json) {
  std::string out;
  out.reserve(json.size());
  for (char c : json) {
    if (c == '<') out += "\\u003c";
    else out += c;
  }
  return out;
}

}  // namespace

std::string pagina_vista(const scena& s, const std::string& eventi) {
  std::string titolo = s.nome_linea.empty() ? std::string("scenario") : s.nome_linea;
  if (!s.numero_treno.empty()) titolo += " \xE2\x80\x94 train " + s.numero_treno;
  std::string pagina(modello_pagina());
  // The places in the order the template holds them.
  size_t da = riempi(pagina, 0, "{{TITLE}}", xml_testo(titolo));
  da = riempi(pagina, da, "{{STYLE}}", std::string(stile_pagina()));
  da = riempi(pagina, da, "{{SCENE}}", per_script(scena_in_json(s)));
  da = riempi(pagina, da, "{{LIVE}}", eventi.empty() ? "" : " data-events=\"" + xml_testo(eventi) + "\"");
  riempi(pagina, da, "{{SCRIPT}}", std::string(script_pagina()));
  return pagina;
}

}  // namespace sb
