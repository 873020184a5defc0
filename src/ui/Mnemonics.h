#pragma once
// Keyboard mnemonics for the captions of one window: each caption gets a
// letter of its own, written with '&' before it as menus and buttons show it
// (Alt and the letter presses the button). The first letter of a word is
// taken where it is free, else any free letter of the caption; a caption with
// no free letter stays without one. A '&' of the caption itself is doubled.
#include <set>
#include <map>
#include <string>
#include <vector>

namespace tarvisol {

class Mnemonics {
public:
    // Letters another part of the window uses already (its menu bar's).
    void Reserve(const std::string& letters);
    // The caption with its mnemonic; the same caption again gets the same.
    std::string Mark(const std::string& caption);
    // A whole menu at once: the first letters of words first, for every
    // caption, then other letters, the captions with fewest letters first,
    // so that as many captions as can get a letter.
    std::vector<std::string> MarkAll(const std::vector<std::string>& captions);

private:
    std::size_t FreeLetter(const std::string& caption, bool initialsOnly) const;
    std::string MarkAt(const std::string& caption, std::size_t at);
    std::set<char> used_;
    std::map<std::string, std::string> marked_;
};

// The letter a marked caption's mnemonic is on (upper case), or 0.
char MnemonicOf(const std::string& marked);

}  // namespace tarvisol
