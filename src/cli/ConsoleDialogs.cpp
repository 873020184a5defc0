#include "cli/ConsoleDialogs.h"

#include <ostream>

namespace tarvisol::cli {

void ConsoleDialogs::Message(const std::string& text, const std::string&) {
    shown_.push_back(text);
    if (echo_) *echo_ << "message: " << text << "\n";
}

Answer ConsoleDialogs::Ask(const std::string& text, Buttons, const std::string&) {
    shown_.push_back(text);
    if (echo_) *echo_ << "question: " << text << " -> " << (answer_ == Answer::Yes ? "Yes" : "No") << "\n";
    return answer_;
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
