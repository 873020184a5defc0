#pragma once
// Text on its way into the command line's JSON and reports, which must be
// UTF-8. Names read from location files are single-byte Windows-1252 text;
// paths and arguments come from the shell as UTF-8; messages may hold both.
#include <string>
#include <string_view>
#include <vector>

namespace tarvisol::cli {

// A name as a location file holds it (Windows-1252), in UTF-8.
std::string NameText(std::string_view bytes);

// Text that may join both kinds, such as a message naming an ingredient and
// a path: well-formed UTF-8 sequences are kept, every other byte is read as
// Windows-1252. Never fails, and plain ASCII comes back unchanged.
std::string MixedText(std::string_view bytes);
// Each of the texts so.
std::vector<std::string> MixedTexts(const std::vector<std::string>& texts);

}  // namespace tarvisol::cli
