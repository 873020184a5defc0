#include "cli/JsonText.h"

#include "shared/TextEncoding.h"

namespace tarvisol::cli {

std::string NameText(std::string_view bytes) { return Windows1252ToUtf8(bytes); }

std::string MixedText(std::string_view bytes) { return MixedTextToUtf8(bytes); }

std::vector<std::string> MixedTexts(const std::vector<std::string>& texts) {
    std::vector<std::string> out;
    out.reserve(texts.size());
    for (const std::string& t : texts) out.push_back(MixedText(t));
    return out;
}

}  // namespace tarvisol::cli
