#pragma once
// A Dialogs implementation for tests and scripted runs: records every message
// and question in order and answers from a queue. A question, input or file
// choice with no queued answer throws UnexpectedDialog, so a test that did not
// expect it fails.
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "shared/Dialogs.h"

namespace tarvisol {

class UnexpectedDialog : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        std::string kind;  // "message", "note", "ask", "input", "open", "save"
        std::string text;
        std::string title;
    };

    // Queue answers in the order the questions will come.
    ScriptedDialogs& Answer(tarvisol::Answer a) { answers_.push_back(a); return *this; }
    ScriptedDialogs& Text(std::string t) { texts_.push_back(std::move(t)); return *this; }

    void Message(const std::string& text, const std::string& title = {}) override;
    void Note(const std::string& text, const std::string& title = {}) override;
    tarvisol::Answer Ask(const std::string& text, Buttons buttons, const std::string& title = {}) override;
    std::string Input(const std::string& prompt, const std::string& title = {},
                      const std::string& initial = {}) override;
    std::string OpenFile(const std::string& title, const std::string& filter, const std::string& folder,
                         const std::string& initial) override;
    std::string SaveFile(const std::string& title, const std::string& filter, const std::string& folder,
                         const std::string& initial) override;

    // Texts of the message boxes shown, in order.
    std::vector<std::string> Messages() const;
    // Texts of the notes (no box to close), in order.
    std::vector<std::string> Notes() const;
    const std::vector<Shown>& Log() const { return log_; }
    void ClearLog() { log_.clear(); }
    bool Exhausted() const { return answers_.empty() && texts_.empty(); }

private:
    std::string NextText(const std::string& kind, const std::string& text);

    std::deque<tarvisol::Answer> answers_;
    std::deque<std::string> texts_;
    std::vector<Shown> log_;
};

}  // namespace tarvisol
