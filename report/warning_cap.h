// Warnings of one kind, shown a few at a time: a text with a fault on every
// line gives a few lines on standard error, not millions.
#pragma once

#include <iosfwd>
#include <functional>
#include <string>

namespace sb {

// How many warnings of one kind are shown.
inline constexpr size_t kAvvisiMostrati = 5;

// Of `quanti` warnings of one kind about the file, writes the first
// kAvvisiMostrati (avviso(i) is the line of the i-th), then, when there are
// more, "FILE: note: N more like this".
void scrivi_avvisi(std::ostream& err, const std::string& file, size_t quanti,
                   const std::function<std::string(size_t)>& avviso);

}  // namespace sb
