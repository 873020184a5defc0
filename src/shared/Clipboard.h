#pragma once
// The system clipboard as plain text.
#include <string>

namespace tarvisol {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual std::string GetText() = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual void Clear() { SetText({}); }
};

// An in-memory clipboard for tests and the console.
class MemoryClipboard : public Clipboard {
public:
    std::string GetText() override { return text_; }
    void SetText(const std::string& text) override { text_ = text; }

private:
    std::string text_;
};

}  // namespace tarvisol
