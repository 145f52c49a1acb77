// A binary file of a compiled scenario given where a description text goes:
// recognised by its form and named, so that the author is told which file it
// is rather than how its bytes fail as a text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sb {

// What the author is told when the bytes are one of the three files a
// compile writes (the line plan, the object table, the route cells);
// nothing when they are not.
std::optional<std::string> file_compilato(std::string_view byte);

}  // namespace sb
