#include "ui/Mnemonics.h"

#include <algorithm>
#include <cctype>

namespace tarvisol {
namespace {

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
bool Letter(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

}  // namespace

void Mnemonics::Reserve(const std::string& letters) {
    for (char c : letters) used_.insert(Upper(c));
}

std::size_t Mnemonics::FreeLetter(const std::string& caption, bool initialsOnly) const {
    for (std::size_t i = 0; i < caption.size(); ++i)
        if (Letter(caption[i]) && (!initialsOnly || i == 0 || caption[i - 1] == ' ') && !used_.count(Upper(caption[i])))
            return i;
    return std::string::npos;
}

std::string Mnemonics::MarkAt(const std::string& caption, std::size_t at) {
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (i == at) out += '&';
        out += caption[i];
        if (caption[i] == '&') out += '&';
    }
    if (at != std::string::npos) used_.insert(Upper(caption[at]));
    return marked_[caption] = out;
}

std::string Mnemonics::Mark(const std::string& caption) {
    if (const auto it = marked_.find(caption); it != marked_.end()) return it->second;
    // First letters of the words, then any letter.
    std::size_t at = FreeLetter(caption, true);
    if (at == std::string::npos) at = FreeLetter(caption, false);
    return MarkAt(caption, at);
}

std::vector<std::string> Mnemonics::MarkAll(const std::vector<std::string>& captions) {
    std::vector<std::string> out(captions.size());
    std::vector<std::size_t> left;
    for (std::size_t i = 0; i < captions.size(); ++i) {
        if (const auto it = marked_.find(captions[i]); it != marked_.end()) {
            out[i] = it->second;
            continue;
        }
        const std::size_t at = FreeLetter(captions[i], true);
        if (at != std::string::npos) out[i] = MarkAt(captions[i], at);
        else left.push_back(i);
    }
    const auto letters = [&](std::size_t i) {
        std::set<char> l;
        for (char c : captions[i])
            if (Letter(c)) l.insert(Upper(c));
        return l.size();
    };
    std::stable_sort(left.begin(), left.end(), [&](std::size_t a, std::size_t b) { return letters(a) < letters(b); });
    for (std::size_t i : left) out[i] = MarkAt(captions[i], FreeLetter(captions[i], false));
    return out;
}

char MnemonicOf(const std::string& marked) {
    for (std::size_t i = 0; i + 1 < marked.size(); ++i) {
        if (marked[i] != '&') continue;
        if (marked[i + 1] == '&') {
            ++i;
            continue;
        }
        return Upper(marked[i + 1]);
    }
    return 0;
}

}  // namespace tarvisol
