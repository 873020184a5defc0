#include "shared/LocationFileSave.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "shared/Dialogs.h"
#include "shared/Numbers.h"
#include "shared/TextFile.h"

namespace tarvisol {

void RememberRead(SharedState& s, const std::string& path, std::string bytes, NumberTexts numbers,
                  std::string tablesText) {
    KnownFile& f = s.Files.Renew(path);
    f.existed = true;
    f.bytes = std::move(bytes);
    f.numbers = std::move(numbers);
    f.tablesKnown = true;
    f.tablesText = std::move(tablesText);
}

void RememberAbsent(SharedState& s, const std::string& path, std::string tablesText) {
    KnownFile& f = s.Files.Renew(path);
    f.existed = false;
    f.tablesKnown = true;
    f.tablesText = std::move(tablesText);
}

bool ReadLocationFile(const std::string& path, std::string& content, std::string& why) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        why = "it is not a plain file";
        return false;
    }
    return ReadTextFile(path, content, why);
}

void RememberUnreadable(SharedState& s, const std::string& path, const std::string& what, const std::string& why) {
    s.Files.Renew(path).unreadable = true;
    DialogsOf(s).Message("The " + what + " " + path + " could not be read (" + why +
                         "). It was left as it was, and no save will write over it.");
}

bool LeftUnread(const SharedState& s, const std::string& path) {
    const KnownFile* f = s.Files.Find(path);
    return f && f->unreadable;
}

void ForgetTables(SharedState& s, const std::string& path) {
    if (KnownFile* f = s.Files.Find(path)) {
        f->tablesKnown = false;
        f->tablesText.clear();
    }
}

const NumberTexts* NumbersOf(const SharedState& s, const std::string& path) {
    const KnownFile* f = s.Files.Find(path);
    return f && !f->numbers.Empty() ? &f->numbers : nullptr;
}

bool WouldChange(const SharedState& s, const std::string& path, const std::string& text) {
    const KnownFile* f = s.Files.Find(path);
    if (!f || !f->tablesKnown || f->tablesText != text) return true;
    if (!FileExists(path)) return f->existed;
    if (!f->existed) return true;
    std::string now, error;
    if (!ReadTextFile(path, now, error)) return true;
    return now != f->bytes;
}

SaveResult SaveLocationFile(SharedState& s, const std::string& path, const std::string& text,
                            const std::string& numbersFrom) {
    if (s.KeepFiles) return SaveResult::Kept;
    if (LeftUnread(s, path)) {
        DialogsOf(s).Message(path + " could not be read when it was opened, so it was not saved: it was left as it was.");
        return SaveResult::LeftUnread;
    }
    if (!WouldChange(s, path, text)) return SaveResult::Unchanged;
    const bool existed = FileExists(path);
    std::string error;
    PreparedSave save;
    const bool written = s.SaveBatch ? PrepareSave(path, text, save, error) : SaveAtomic(path, text, error);
    if (!written) {
        ++s.FailedSaves;
        DialogsOf(s).Message(error + (existed ? ". The old file is unchanged." : ". Nothing was written."));
        return SaveResult::Failed;
    }
    NumberTexts numbers;
    const std::string& from = numbersFrom.empty() ? path : numbersFrom;
    if (const NumberTexts* n = NumbersOf(s, from)) numbers = *n;
    if (s.SaveBatch)
        s.SaveBatch->Add(std::move(save), text, std::move(numbers));
    else
        RememberRead(s, path, text, std::move(numbers), text);
    return SaveResult::Written;
}

LocationSaveBatch::LocationSaveBatch(SharedState& s) : s_(s), outer_(s.SaveBatch) { s.SaveBatch = this; }

LocationSaveBatch::~LocationSaveBatch() {
    for (const Pending& p : pending_) DiscardSave(p.save);
    s_.SaveBatch = outer_;
}

void LocationSaveBatch::Add(PreparedSave save, std::string text, NumberTexts numbers) {
    for (Pending& p : pending_)
        if (p.save.target == save.target) {
            p = {std::move(save), std::move(text), std::move(numbers)};
            return;
        }
    pending_.push_back({std::move(save), std::move(text), std::move(numbers)});
}

bool LocationSaveBatch::Commit(std::vector<std::string>& placed, std::vector<std::string>& notPlaced,
                               std::string& error) {
    bool ok = true;
    for (Pending& p : pending_) {
        if (ok && CommitSave(p.save, error)) {
            RememberRead(s_, p.save.path, p.text, std::move(p.numbers), p.text);
            placed.push_back(p.save.path);
        } else {
            if (ok) ++s_.FailedSaves;
            ok = false;
            DiscardSave(p.save);
            notPlaced.push_back(p.save.path);
        }
        p.save.temporary.clear();
    }
    pending_.clear();
    return ok;
}

}  // namespace tarvisol
