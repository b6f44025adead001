#pragma once

#include <string>

namespace chartlib {

// Whether a font name the charts pass asks for a bold face: "bold", or a
// font file whose base name ends in "bd" ("msyhbd.ttc") or holds "bold".
// Every other name ("normal", "msyh.ttc") is the regular face; each
// back-end maps both to an installed family.
bool isBoldFontName(const std::string& name);

} // namespace chartlib
