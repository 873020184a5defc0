#include "shared/KnownFiles.h"

#include <cmath>
#include <filesystem>
#include <system_error>

#include "shared/Numbers.h"

namespace tarvisol {
namespace {

// Digits with an optional leading minus, one full stop and an exponent.
bool IsPlainNumberText(std::string_view t) {
    std::size_t i = 0;
    const std::size_t n = t.size();
    if (i < n && t[i] == '-') ++i;
    bool digits = false;
    while (i < n && t[i] >= '0' && t[i] <= '9') ++i, digits = true;
    if (i < n && t[i] == '.') {
        ++i;
        while (i < n && t[i] >= '0' && t[i] <= '9') ++i, digits = true;
    }
    if (!digits) return false;
    if (i < n && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
        bool exp = false;
        while (i < n && t[i] >= '0' && t[i] <= '9') ++i, exp = true;
        if (!exp) return false;
    }
    return i == n;
}

}  // namespace

void NumberTexts::Add(double value, std::string_view text) {
    const auto b = text.find_first_not_of(" \t");
    if (b == std::string_view::npos) return;
    const auto e = text.find_last_not_of(" \t");
    text = text.substr(b, e - b + 1);
    if (!std::isfinite(value) || !IsPlainNumberText(text) || Val(text) != value) return;
    // The first text seen for a value is kept: files hold one spelling per
    // value as a rule, and the choice must not depend on the order of reads.
    texts_.emplace(value, std::string(text));
}

const std::string* NumberTexts::Find(double value) const {
    const auto it = texts_.find(value);
    return it == texts_.end() ? nullptr : &it->second;
}

std::string KeptNumber(const NumberTexts* texts, double value, std::string (*format)(double)) {
    if (texts) {
        if (const std::string* t = texts->Find(value)) return *t;
    }
    return format(value);
}

std::string KnownFiles::Key(const std::string& path) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::weakly_canonical(std::filesystem::absolute(path, ec), ec);
    if (ec) return path;
    return p.string();
}

const KnownFile* KnownFiles::Find(const std::string& path) const {
    const auto it = files_.find(Key(path));
    return it == files_.end() ? nullptr : &it->second;
}

KnownFile* KnownFiles::Find(const std::string& path) {
    const auto it = files_.find(Key(path));
    return it == files_.end() ? nullptr : &it->second;
}

KnownFile& KnownFiles::Renew(const std::string& path) {
    KnownFile& f = files_[Key(path)];
    f = KnownFile{};
    return f;
}

void KnownFiles::Forget(const std::string& path) { files_.erase(Key(path)); }

}  // namespace tarvisol
