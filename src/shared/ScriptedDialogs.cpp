#include "shared/ScriptedDialogs.h"

namespace tarvisol {

void ScriptedDialogs::Message(const std::string& text, const std::string& title) {
    log_.push_back({"message", text, title});
}

void ScriptedDialogs::Note(const std::string& text, const std::string& title) { log_.push_back({"note", text, title}); }

Answer ScriptedDialogs::Ask(const std::string& text, Buttons buttons, const std::string& title) {
    log_.push_back({"ask", text, title});
    if (answers_.empty()) throw UnexpectedDialog("unexpected question: " + text);
    tarvisol::Answer a = answers_.front();
    answers_.pop_front();
    if (a == tarvisol::Answer::Ok || (a == tarvisol::Answer::Cancel && buttons == Buttons::YesNo))
        throw UnexpectedDialog("queued answer does not fit the question: " + text);
    return a;
}

std::string ScriptedDialogs::NextText(const std::string& kind, const std::string& text) {
    if (texts_.empty()) throw UnexpectedDialog("unexpected " + kind + ": " + text);
    std::string t = std::move(texts_.front());
    texts_.pop_front();
    return t;
}

std::string ScriptedDialogs::Input(const std::string& prompt, const std::string& title, const std::string&) {
    log_.push_back({"input", prompt, title});
    return NextText("input", prompt);
}

std::string ScriptedDialogs::OpenFile(const std::string& title, const std::string&, const std::string&,
                                      const std::string&) {
    log_.push_back({"open", title, title});
    return NextText("file choice", title);
}

std::string ScriptedDialogs::SaveFile(const std::string& title, const std::string&, const std::string&,
                                      const std::string&) {
    log_.push_back({"save", title, title});
    return NextText("file choice", title);
}

std::vector<std::string> ScriptedDialogs::Messages() const {
    std::vector<std::string> out;
    for (const auto& s : log_)
        if (s.kind == "message") out.push_back(s.text);
    return out;
}

std::vector<std::string> ScriptedDialogs::Notes() const {
    std::vector<std::string> out;
    for (const auto& s : log_)
        if (s.kind == "note") out.push_back(s.text);
    return out;
}

}  // namespace tarvisol
