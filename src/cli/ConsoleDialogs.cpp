#include "cli/ConsoleDialogs.h"

#include <ostream>

#include "cli/JsonText.h"

namespace tarvisol::cli {

void ConsoleDialogs::Message(const std::string& text, const std::string&) {
    shown_.push_back(text);
    if (echo_) *echo_ << "message: " << MixedText(text) << "\n";
}

Answer ConsoleDialogs::Ask(const std::string& text, Buttons, const std::string&) {
    Answer a = answer_;
    for (const auto& [prefix, preset] : presets_)
        if (text.rfind(prefix, 0) == 0) a = preset;
    questions_.emplace_back(text, a);
    if (echo_) *echo_ << "question: " << MixedText(text) << " -> " << (a == Answer::Yes ? "Yes" : a == Answer::No ? "No" : "Cancel") << "\n";
    return a;
}

std::string ConsoleDialogs::Input(const std::string& prompt, const std::string&, const std::string& initial) {
    if (echo_) *echo_ << "input: " << prompt << " -> " << initial << "\n";
    return initial;
}

std::string ConsoleDialogs::OpenFile(const std::string&, const std::string&, const std::string&,
                                     const std::string& initial) {
    return initial;
}

std::string ConsoleDialogs::SaveFile(const std::string&, const std::string&, const std::string&,
                                     const std::string& initial) {
    return initial;
}

}  // namespace tarvisol::cli
