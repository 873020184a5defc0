#pragma once
// What the program knows of each location file it read or wrote in this
// session: the file's bytes, the text each number was read with, and the text
// the file's writer made from the tables right then. With that a save writes
// only what the user changed:
// - a file whose tables still give the text they gave when it was read, and
//   which still holds the bytes it held then, is left alone (byte for byte,
//   lines the tables could not hold included);
// - a number read from the file and not changed is written back with the
//   text it was read with, so a save never rounds an untouched price.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace tarvisol {

// The text each number of a file was read with, by value.
class NumberTexts {
public:
    // Remembers text for value when the text is a plain number (digits with
    // an optional sign, full stop and exponent) that reads back as value.
    void Add(double value, std::string_view text);
    // The text value was read with, or null.
    const std::string* Find(double value) const;
    bool Empty() const { return texts_.empty(); }
    void Clear() { texts_.clear(); }

private:
    std::map<double, std::string> texts_;
};

// The number as the file had it when it was read, else as format writes it.
std::string KeptNumber(const NumberTexts* texts, double value, std::string (*format)(double));

struct KnownFile {
    bool existed = false;     // the file was there when it was read
    std::string bytes;        // what the file held when it was last read or written
    bool tablesKnown = false; // tablesText is the writer's text of the tables as read
    std::string tablesText;
    NumberTexts numbers;
    bool unreadable = false;  // it was there but could not be read: no save writes over it
};

// The known files by path (folded to one spelling through symbolic links).
class KnownFiles {
public:
    // The record of path, or null when the file was neither read nor written.
    const KnownFile* Find(const std::string& path) const;
    KnownFile* Find(const std::string& path);
    // A fresh record for path (replacing what was known of it).
    KnownFile& Renew(const std::string& path);
    void Forget(const std::string& path);

    // The key of a path: its absolute form with symbolic links resolved
    // where the folders exist.
    static std::string Key(const std::string& path);

private:
    std::map<std::string, KnownFile> files_;
};

}  // namespace tarvisol
