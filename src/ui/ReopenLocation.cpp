#include "ui/ReopenLocation.h"

#include <filesystem>

#include "location/StartUp.h"
#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"

namespace tarvisol {
namespace {

// Answers Yes to the reopen question and hands everything else to the
// dialogs in force.
class ReopenAnswered : public Dialogs {
public:
    explicit ReopenAnswered(Dialogs& inner) : inner_(inner) {}
    void Message(const std::string& text, const std::string& title) override { inner_.Message(text, title); }
    void Note(const std::string& text, const std::string& title) override { inner_.Note(text, title); }
    Answer Ask(const std::string& text, Buttons buttons, const std::string& title) override {
        if (!answered_ && text.rfind(kReopenQuestion, 0) == 0) {
            answered_ = true;
            return Answer::Yes;
        }
        return inner_.Ask(text, buttons, title);
    }
    std::string Input(const std::string& prompt, const std::string& title, const std::string& initial) override {
        return inner_.Input(prompt, title, initial);
    }
    std::string OpenFile(const std::string& title, const std::string& filter, const std::string& folder,
                         const std::string& initial) override {
        return inner_.OpenFile(title, filter, folder, initial);
    }
    std::string SaveFile(const std::string& title, const std::string& filter, const std::string& folder,
                         const std::string& initial) override {
        return inner_.SaveFile(title, filter, folder, initial);
    }

private:
    Dialogs& inner_;
    bool answered_ = false;
};

// Puts the record's dialogs back however LocationName ends.
struct DialogsRestore {
    SharedState& s;
    Dialogs* saved;
    ~DialogsRestore() { s.Dialog = saved; }
};

}  // namespace

std::string LocationGoneMessage(const std::string& base) {
    return "The location " + base + " is no longer there (no " + base + ".pig).";
}

bool ReopenLocation(SharedState& s, const std::string& base) {
    namespace fs = std::filesystem;
    Dialogs& dialogs = DialogsOf(s);
    if (base.empty() || !FileExists(base + ".pig")) {
        dialogs.Message(LocationGoneMessage(base));
        return false;
    }
    const fs::path path(base);
    s.LocationFolder = path.parent_path().string();
    s.Main->Text6.Text = path.filename().string();
    ReopenAnswered answered(dialogs);
    DialogsRestore restore{s, s.Dialog};
    s.Dialog = &answered;
    LocationName(s);
    return true;
}

}  // namespace tarvisol
