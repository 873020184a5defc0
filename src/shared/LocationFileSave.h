#pragma once
// Reading and saving one location file with what the program knows of it
// (KnownFiles): every save of a location file goes through SaveLocationFile.
#include <string>
#include <vector>

#include "shared/KnownFiles.h"
#include "shared/SharedState.h"
#include "shared/TextFile.h"

namespace tarvisol {

enum class SaveResult {
    Written,    // the file now holds the text
    Unchanged,  // the file already held what the tables give: left alone
    Kept,       // the front end was not asked to save (KeepFiles): nothing written
    Failed,     // the save failed and was reported; the old file is whole
    LeftUnread, // the file could not be read when its tables were filled: left as it was, and told
};

// True when the file holds what the tables give after the save.
inline bool Holds(SaveResult r) { return r == SaveResult::Written || r == SaveResult::Unchanged; }

// Remembers what a reader found: the file's bytes, the text of each number
// and the writer's text of the tables just filled from it.
void RememberRead(SharedState& s, const std::string& path, std::string bytes, NumberTexts numbers,
                  std::string tablesText);
// Remembers that the file was not there when the location was opened, and
// the writer's text of the tables then.
void RememberAbsent(SharedState& s, const std::string& path, std::string tablesText);
// Reads a location file that fills tables. False when something is at path
// that cannot be read as a file (a folder in its place, no permission, a
// read error); why then says what.
bool ReadLocationFile(const std::string& path, std::string& content, std::string& why);
// Remembers that the file at path was there but could not be read (why), and
// tells the user that it is left as it was: no save writes over it, since
// the tables it would have filled do not hold what it holds. what names the
// file for the user ("measured herd file").
void RememberUnreadable(SharedState& s, const std::string& path, const std::string& what, const std::string& why);
// True when the file at path could not be read and is kept from every save.
bool LeftUnread(const SharedState& s, const std::string& path);
// The tables no longer match what was remembered of the file (another
// writer changed part of it); its number texts stay known.
void ForgetTables(SharedState& s, const std::string& path);

// The number texts of the file at path, or null when none are known.
const NumberTexts* NumbersOf(const SharedState& s, const std::string& path);

// True when saving text to path would change the file: it is unknown, was
// changed on disk since, or the tables give another text than when read.
bool WouldChange(const SharedState& s, const std::string& path, const std::string& text);

// Saves text as the file at path, atomically. Leaves the file alone when
// nothing changed (Unchanged) or when the front end keeps every file
// (KeepFiles). A failed save shows one message (the reason, and that the old
// file is unchanged) and counts in FailedSaves. numbersFrom names the file
// whose number texts the text was made with (the file the tables were read
// from) when that is not path itself.
SaveResult SaveLocationFile(SharedState& s, const std::string& path, const std::string& text,
                            const std::string& numbersFrom = {});

// Saves of several location files that take effect together. While a batch
// is open on the record, SaveLocationFile writes each file aside (a failure
// is told as ever, and nothing changes); Commit puts them all in place. A
// batch closed without Commit leaves every file as it was.
class LocationSaveBatch {
public:
    explicit LocationSaveBatch(SharedState& s);
    ~LocationSaveBatch();
    LocationSaveBatch(const LocationSaveBatch&) = delete;
    LocationSaveBatch& operator=(const LocationSaveBatch&) = delete;

    // Puts every file written aside in its place, in the order written.
    // False when one could not be (error says why): `placed` then names the
    // files that hold the new text, `notPlaced` those that keep the old.
    bool Commit(std::vector<std::string>& placed, std::vector<std::string>& notPlaced, std::string& error);

    // Written aside by SaveLocationFile; a later save of the same file replaces it.
    void Add(PreparedSave save, std::string text, NumberTexts numbers);

private:
    struct Pending {
        PreparedSave save;
        std::string text;
        NumberTexts numbers;
    };
    SharedState& s_;
    LocationSaveBatch* outer_;
    std::vector<Pending> pending_;
};

}  // namespace tarvisol
