#include "cli/PricesCommand.h"

#include <cstdio>
#include <ostream>

#include "cli/ConsoleDialogs.h"
#include "cli/FormulationSession.h"
#include "cli/JsonText.h"
#include "formulation/FormulationFiles.h"
#include "formulation/PriceSheet.h"
#include "shared/Numbers.h"
#include "shared/TextFile.h"

namespace tarvisol::cli {

using Json = nlohmann::ordered_json;

Json RunPricesCommand(const PricesArgs& args, std::ostream* messages) {
    ConsoleDialogs dialogs(messages, Answer::No);
    Json r = {{"location", MixedText(args.location)}, {"sheet", MixedText(args.file)}, {"loaded", false}};
    std::string text, error;
    const bool sheetRead = ReadTextFile(args.file, text, error);
    FormulationSession session = OpenFormulationFiles(args.location, dialogs);
    SharedState& s = *session.s;
    r["loaded"] = session.loaded && sheetRead;
    Json changes = Json::array(), unmatched = Json::array(), notRead = Json::array(), conflicts = Json::array(),
         notes = Json::array();
    Json header = nullptr;
    bool saved = false;
    if (!session.loaded) {
        dialogs.Message("No ingredient matrix loaded from " + s.MatrixFile);
    } else if (!sheetRead) {
        dialogs.Message(error);
    } else {
        const PriceSheet sheet = ReadPriceSheet(text, s);
        const PriceMatch match = MatchPrices(s, sheet);
        if (sheet.headerLine > 0) header = {{"line", sheet.headerLine}, {"text", MixedText(sheet.header)}};
        for (const std::string& c : match.conflicts) conflicts.push_back(MixedText(c));
        for (const std::string& n : match.notes) notes.push_back(MixedText(n));
        for (const PriceChange& c : match.changes)
            changes.push_back({{"ingredient", c.ingredient}, {"name", NameText(c.name)}, {"before", c.before}, {"after", c.after}});
        for (const std::string& n : match.unmatched) unmatched.push_back(MixedText(n));
        for (const std::string& n : sheet.notes) notRead.push_back(MixedText(n));
        if (sheet.rows.empty() && sheet.notes.empty()) notRead.push_back("the sheet holds no price");
        if (match.Refused()) {
            std::string why = "Nothing was saved: the sheet gives one ingredient two prices";
            for (const std::string& c : match.conflicts) why += "\n  " + c;
            dialogs.Message(why);
        } else if (args.save) {
            if (!unmatched.empty() || !notRead.empty()) {
                dialogs.Message("Nothing was saved: every line of the sheet must name an ingredient of the matrix "
                                "and give its price");
            } else {
                // Only the price lines change: every other line keeps its bytes.
                std::string matrix, why;
                std::string updated;
                if (ReadTextFile(s.MatrixFile, matrix, why)) updated = MatrixTextWithPrices(matrix, match);
                if (updated.empty()) {
                    dialogs.Message("The matrix " + s.MatrixFile + " could not be read back to change its prices" +
                                    (why.empty() ? std::string() : ": " + why));
                } else if (!SaveAtomic(s.MatrixFile, updated, why)) {
                    dialogs.Message("The matrix " + s.MatrixFile + " was not saved: " + why +
                                    "; the old file is unchanged");
                } else {
                    saved = true;
                }
            }
        }
    }
    r["changes"] = changes;
    r["unmatched"] = unmatched;
    r["not_read"] = notRead;
    r["conflicts"] = conflicts;
    r["notes"] = notes;
    r["header"] = header;
    r["saved"] = saved;
    Json shown = Json::array();
    for (const std::string& m : dialogs.Shown()) shown.push_back(MixedText(m));
    r["messages"] = shown;
    r["save_asked"] = args.save;
    return r;
}

void PrintPrices(const Json& r, std::ostream& out) {
    if (!r["loaded"].get<bool>()) return;  // the message said why
    if (!r["conflicts"].empty()) return;   // refused: the message names the lines
    if (r["header"].is_object())
        out << "Line " << r["header"]["line"].get<std::size_t>()
            << " was taken as the column names: " << r["header"]["text"].get<std::string>() << "\n";
    for (const auto& c : r["changes"]) {
        const double before = c["before"].get<double>(), after = c["after"].get<double>();
        out << c["name"].get<std::string>() << ": " << FormatExact(before);
        out << (before == after ? " (unchanged)" : " -> " + FormatExact(after)) << "\n";
    }
    if (!r["unmatched"].empty()) {
        out << "Not in the matrix:\n";
        for (const auto& n : r["unmatched"]) out << "  " << n.get<std::string>() << "\n";
    }
    for (const auto& n : r["notes"]) out << n.get<std::string>() << "\n";
    if (!r["not_read"].empty()) {
        out << "Not read:\n";
        for (const auto& n : r["not_read"]) out << "  " << n.get<std::string>() << "\n";
    }
    if (r["saved"].get<bool>())
        out << "Saved " << r["location"].get<std::string>() << kMatrixEnding << "\n";
    else if (!r["save_asked"].get<bool>())
        out << "Nothing was saved (add --save to save the matrix).\n";
}

int PricesExitCode(const Json& r) {
    if (!r["loaded"].get<bool>() || !r["conflicts"].empty()) return 2;
    if (!r["unmatched"].empty() || !r["not_read"].empty()) return 1;
    if (r["save_asked"].get<bool>() && !r["saved"].get<bool>()) return 1;
    return 0;
}

}  // namespace tarvisol::cli
