#pragma once
// Plain-text location files: CRLF line ends, TAB separators, full stop as the
// decimal separator. Reading accepts CRLF, LF or CR line ends and any bytes.
#include <string>
#include <string_view>
#include <vector>

namespace tarvisol {

// The text without a UTF-8 byte-order mark at its start (spreadsheets put one
// before the first line).
std::string_view WithoutByteOrderMark(std::string_view text);

// Splits text into lines at CRLF, LF or CR (CR CR LF is one line end too); a
// final line end adds no empty line; a byte-order mark at the start is skipped.
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
// A symbolic link is followed and its target written (the link stays a link);
// the file keeps its permission bits (and its owner where the process may
// give files away). The temporary file is named from the target's name
// (".Herd.pig.tarvisol-save"), so it can only be this program's; a leftover of
// an interrupted save of the same file is removed by the next save, and
// nothing else is ever deleted. Returns false with a readable message on
// failure (the old file is untouched).
bool SaveAtomic(const std::string& path, std::string_view content, std::string& error);

// SaveAtomic in two steps, for files that must change together: PrepareSave
// writes the temporary file in full (the target untouched), CommitSave
// renames it over the target, DiscardSave removes it.
struct PreparedSave {
    std::string path, target, temporary;
};
bool PrepareSave(const std::string& path, std::string_view content, PreparedSave& out, std::string& error);
bool CommitSave(const PreparedSave& save, std::string& error);
void DiscardSave(const PreparedSave& save);

// The file a save of path writes: path itself, or the end of its chain of
// symbolic links.
std::string SaveTarget(const std::string& path);
// The name of the temporary file a save of target writes first.
std::string SaveTemporaryName(const std::string& target);

}  // namespace tarvisol
