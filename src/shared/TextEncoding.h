#pragma once
// Location files hold single-byte text in the Windows-1252 code page. Names
// read from them are kept as those bytes; they become UTF-8 only at the edges
// that need it (JSON output, Qt strings) and go back byte for byte.
#include <string>
#include <string_view>

namespace tarvisol {

// Every byte maps to one character, so the conversion never fails and
// Utf8ToWindows1252 gives the same bytes back. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control
// characters of the same number.
std::string Windows1252ToUtf8(std::string_view bytes);

// The single-byte text of a UTF-8 text. A character the code page cannot hold
// (or a malformed UTF-8 sequence) becomes '?' and sets *lossless to false
// when it is given.
std::string Utf8ToWindows1252(std::string_view utf8, bool* lossless = nullptr);

}  // namespace tarvisol
