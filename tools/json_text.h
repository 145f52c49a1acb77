// Texts written into JSON and XML output.
#pragma once

#include <string>
#include <string_view>

namespace sb {

// A JSON string literal, quotes included, of UTF-8 text.
std::string json_stringa(std::string_view utf8);

// UTF-8 text with &, <, >, " and ' escaped for XML.
std::string xml_testo(std::string_view utf8);

}  // namespace sb
