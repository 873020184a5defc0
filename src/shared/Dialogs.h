#pragma once
// Message boxes, questions, input boxes and file choosers, as the procedures
// use them. The Qt front end, the console and the tests each implement this.
// Texts shown may join UTF-8 with names from the location's files
// (Windows-1252 bytes); an input box's initial text and its answer are UTF-8,
// as typed: the procedure that stores an answer converts it.
#include <string>

namespace tarvisol {

enum class Answer { Ok, Yes, No, Cancel };
enum class Buttons { YesNo, YesNoCancel };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A message box with an OK button; an empty title means the program's own.
    virtual void Message(const std::string& text, const std::string& title = {}) = 0;
    // A note that a command did what was asked (a run kept, a file written):
    // said without stopping the user where a front end can (the desktop's
    // status bar); a message where it cannot.
    virtual void Note(const std::string& text, const std::string& title = {}) { Message(text, title); }
    // A question; the answer is one of the offered buttons.
    virtual Answer Ask(const std::string& text, Buttons buttons, const std::string& title = {}) = 0;
    // An input box; Cancel gives the empty text, as the procedures expect.
    virtual std::string Input(const std::string& prompt, const std::string& title = {},
                              const std::string& initial = {}) = 0;
    // File choosers. When the user cancels, the answer is the initial name
    // itself (often the pattern, e.g. "*.pig"), which the callers test for.
    virtual std::string OpenFile(const std::string& title, const std::string& filter,
                                 const std::string& folder, const std::string& initial) = 0;
    virtual std::string SaveFile(const std::string& title, const std::string& filter,
                                 const std::string& folder, const std::string& initial) = 0;
};

// Shows nothing and answers nothing: used where no user is present (private
// copies of the record in parallel work).
class SilentDialogs : public Dialogs {
public:
    void Message(const std::string&, const std::string&) override {}
    void Note(const std::string&, const std::string&) override {}
    Answer Ask(const std::string&, Buttons, const std::string&) override { return Answer::No; }
    std::string Input(const std::string&, const std::string&, const std::string&) override { return {}; }
    std::string OpenFile(const std::string&, const std::string&, const std::string&,
                         const std::string& initial) override {
        return initial;
    }
    std::string SaveFile(const std::string&, const std::string&, const std::string&,
                         const std::string& initial) override {
        return initial;
    }
};

}  // namespace tarvisol
