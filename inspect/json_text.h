// Texts written into JSON and XML output.
#pragma once

#include <string>
#include <string_view>

namespace sb {

// A value in fixed notation with the given decimals, whole however large
// (1e300 has 301 digits); NaN, Infinity and -Infinity by name.
std::string testo_decimale(double v, int decimali);

// The same as a JSON value: JSON has no literal for NaN and the infinities,
// so they are the strings "NaN", "Infinity" and "-Infinity".
std::string json_decimale(double v, int decimali);

// A JSON string literal, quotes included, of UTF-8 text; a byte that is no
// part of valid UTF-8 (a file name's, say) becomes U+FFFD, so the output is
// always valid UTF-8.
std::string json_stringa(std::string_view utf8);

// UTF-8 text with &, <, >, " and ' escaped for XML; invalid bytes as in
// json_stringa.
std::string xml_testo(std::string_view utf8);

}  // namespace sb
