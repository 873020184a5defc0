#pragma once
// Reading a workbook back in tests: the sheets' names and every cell of a
// sheet (shared strings resolved), through the `unzip` program.
#include <map>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "support/ProgramRun.h"

namespace tarvisol::testing {

inline std::string XmlText(std::string s) {
    static const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [from, to] : entities)
        for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + 1)) s.replace(at, std::string(from).size(), to);
    return s;
}

struct XlsxCell {
    bool number = false;
    double value = 0;
    std::string text;
};

class Workbook {
public:
    explicit Workbook(std::string path) : path_(std::move(path)) {
        const std::string book = Part("xl/workbook.xml");
        static const std::regex sheet("<sheet name=\"([^\"]*)\"");
        for (std::sregex_iterator it(book.begin(), book.end(), sheet), end; it != end; ++it) sheets_.push_back(XmlText((*it)[1]));
        const std::string strings = Part("xl/sharedStrings.xml");
        static const std::regex si("<si><t[^>]*>([^<]*)</t></si>");
        for (std::sregex_iterator it(strings.begin(), strings.end(), si), end; it != end; ++it) shared_.push_back(XmlText((*it)[1]));
    }
    const std::vector<std::string>& Sheets() const { return sheets_; }

    // Cells of sheet n (1 = the first) by reference, "B7".
    std::map<std::string, XlsxCell> Cells(int n) const {
        std::map<std::string, XlsxCell> cells;
        const std::string xml = Part("xl/worksheets/sheet" + std::to_string(n) + ".xml");
        static const std::regex c("<c r=\"([A-Z]+[0-9]+)\"([^>]*)><v>([^<]*)</v></c>");
        for (std::sregex_iterator it(xml.begin(), xml.end(), c), end; it != end; ++it) {
            XlsxCell cell;
            const std::string attrs = (*it)[2], v = (*it)[3];
            if (attrs.find("t=\"s\"") != std::string::npos) {
                const std::size_t i = std::stoul(v);
                cell.text = i < shared_.size() ? shared_[i] : "";
            } else {
                cell.number = true;
                cell.value = std::stod(v);
            }
            cells[(*it)[1]] = cell;
        }
        return cells;
    }

private:
    std::string Part(const std::string& name) const { return ProgramOutput("unzip -p '" + path_ + "' '" + name + "' 2>/dev/null"); }
    std::string path_;
    std::vector<std::string> sheets_, shared_;
};

}  // namespace tarvisol::testing
