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

// True when the text holds a character beyond ASCII and every byte beyond
// ASCII belongs to a well-formed UTF-8 sequence: text a program wrote as
// UTF-8 rather than in the code page (where such runs are next to never
// meant).
bool LooksLikeUtf8(std::string_view bytes);

// Text that may join both kinds, such as a message naming an ingredient and
// a path: well-formed UTF-8 sequences are kept, every other byte is read as
// Windows-1252. Never fails, and plain ASCII comes back unchanged.
std::string MixedTextToUtf8(std::string_view bytes);

// What the user typed (UTF-8, from the command line or a window) for a text
// field of a location file, as the file's bytes. Returns why it cannot be
// stored as typed, empty when it can: a character the code page has no byte
// for, bytes that are not UTF-8 text, or a TAB, line break or other control
// character, which a TAB separated, line-oriented file cannot carry. what
// names the field in the reason ("The currency"). bytes is set either way
// (the text as far as it could be stored), for messages only.
std::string TypedToWindows1252(std::string_view typed, const std::string& what, std::string& bytes);

}  // namespace tarvisol
