#pragma once
// Dialogs for the command line: messages go to stderr (and are kept for JSON
// output); questions take a fixed answer.
#include <iosfwd>
#include <string>
#include <vector>

#include "shared/Dialogs.h"

namespace tarvisol::cli {

class ConsoleDialogs : public Dialogs {
public:
    ConsoleDialogs(std::ostream* echo, Answer defaultAnswer) : echo_(echo), answer_(defaultAnswer) {}

    void Message(const std::string& text, const std::string& title = {}) override;
    Answer Ask(const std::string& text, Buttons buttons, const std::string& title = {}) override;
    std::string Input(const std::string& prompt, const std::string& title = {},
                      const std::string& initial = {}) override;
    std::string OpenFile(const std::string& title, const std::string& filter, const std::string& folder,
                         const std::string& initial) override;
    std::string SaveFile(const std::string& title, const std::string& filter, const std::string& folder,
                         const std::string& initial) override;

    // Questions whose text starts with prefix get this answer instead.
    void Preset(std::string prefix, Answer answer) { presets_.emplace_back(std::move(prefix), answer); }
    // Message boxes shown, in order (questions are not among them).
    const std::vector<std::string>& Shown() const { return shown_; }
    // Questions asked, with the answers given.
    const std::vector<std::pair<std::string, Answer>>& Questions() const { return questions_; }

private:
    std::vector<std::pair<std::string, Answer>> presets_;
    std::vector<std::pair<std::string, Answer>> questions_;
    std::ostream* echo_;
    Answer answer_;
    std::vector<std::string> shown_;
};

}  // namespace tarvisol::cli
