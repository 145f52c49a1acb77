// Links a run will not follow: in a folder that every user may write and
// only owners may delete from (the sticky bit, as /tmp), a symbolic link that
// belongs neither to the running user nor to the folder's owner may have been
// planted to send a write where its owner may not write. The kernel refuses
// to follow such a link when protected_symlinks is on; the tool refuses it
// whether or not that is on.
#pragma once

#include <string>

#include "platform/files.h"

namespace sb {

// Follows the path as the system would, link by link (at most 40), and
// fails at the first link that may not be followed, naming it and why. A
// part that does not exist ends the walk: what is missing holds no link.
esito_file file_fidato(const std::string& file);

}  // namespace sb
