#pragma once
// Plain-text location files: CRLF line ends, TAB separators, full stop as the
// decimal separator. Reading accepts CRLF, LF or CR line ends and any bytes.
#include <string>
#include <string_view>
#include <vector>

namespace tarvisol {

// Splits text into lines at CRLF, LF or CR; a final line end adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);

// Reads a whole file. Returns false and sets error to a readable message when
// it cannot be read.
bool ReadTextFile(const std::string& path, std::string& content, std::string& error);
bool ReadLines(const std::string& path, std::vector<std::string>& lines, std::string& error);

// Joins lines, each ended by CRLF.
std::string JoinCrlf(const std::vector<std::string>& lines);

// Splits a line at TABs.
std::vector<std::string> SplitTabs(std::string_view line);

// Writes content to a temporary file in the same folder, flushes it to disk
// and renames it over path, so an interrupted save leaves the old file whole.
// Returns false with a readable message on failure (the old file is untouched).
bool SaveAtomic(const std::string& path, std::string_view content, std::string& error);

}  // namespace tarvisol
