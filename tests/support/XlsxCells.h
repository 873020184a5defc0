#pragma once
// Reading a workbook back in tests: the sheets' names and every cell of a
// sheet (shared strings resolved), through the `unzip` program.
#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
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

// A figure as the workbook stores it: 16 significant digits ("%.16G"), so
// one read back may differ from the figure in its last bit.
inline ::testing::AssertionResult SameStoredFigure(double stored, double figure) {
    if (std::fabs(stored - figure) <= 1e-15 * std::fabs(figure)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::setprecision(17) << "the workbook holds " << stored << ", the figure is "
                                         << figure;
}

struct XlsxCell {
    bool number = false;
    double value = 0;
    std::string text;
    std::string format = "General";  // the number format the cell is shown in
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
        // Number formats: the built-in ones a writer uses for "0" and "0.00",
        // the workbook's own by id, and each cell style's format.
        std::map<std::string, std::string> codes{{"0", "General"}, {"1", "0"}, {"2", "0.00"}};
        const std::string styles = Part("xl/styles.xml");
        static const std::regex numFmt("<numFmt numFmtId=\"([0-9]+)\" formatCode=\"([^\"]*)\"");
        for (std::sregex_iterator it(styles.begin(), styles.end(), numFmt), end; it != end; ++it)
            codes[(*it)[1]] = XmlText((*it)[2]);
        const std::size_t xfs = styles.find("<cellXfs");
        const std::string cellXfs = styles.substr(xfs == std::string::npos ? styles.size() : xfs);
        static const std::regex xf("<xf numFmtId=\"([0-9]+)\"");
        for (std::sregex_iterator it(cellXfs.begin(), cellXfs.end(), xf), end; it != end; ++it)
            styleFormats_.push_back(codes.count((*it)[1]) ? codes[(*it)[1]] : "?");
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
            static const std::regex style(" s=\"([0-9]+)\"");
            std::smatch sm;
            if (std::regex_search(attrs, sm, style)) {
                const std::size_t k = std::stoul(sm[1]);
                if (k < styleFormats_.size()) cell.format = styleFormats_[k];
            }
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
    std::vector<std::string> sheets_, shared_, styleFormats_;
};

}  // namespace tarvisol::testing
