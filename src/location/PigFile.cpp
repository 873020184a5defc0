#include "location/PigFile.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>

#include "growth/Temperature.h"
#include "location/LocationFiles.h"
#include "shared/Dialogs.h"
#include "shared/LocationFileSave.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/TextFile.h"

namespace tarvisol {
namespace {
constexpr std::size_t kPigLines = 14;
constexpr std::size_t kHerdSexLine = 11;  // 1-based
constexpr const char* kPigPattern = "*pig";

// A value in full (15 significant digits) without the printed leading blank.
// The coefficient grid shows the curve this way because the Growth command
// reads the curve back from there.
std::string ExactText(double v) {
    std::string t = PrintNumber(v);
    if (!t.empty() && t.front() == ' ') t.erase(0, 1);
    return t;
}

std::array<TextBox*, 6> InputBoxes(MainWindow& m) { return {nullptr, &m.Text1, &m.Text2, &m.Text3, &m.Text4, &m.Text5}; }

const char* UnitName(int j) {
    static constexpr const char* names[3] = {"energy unit", "weight unit", "price unit"};
    return names[j];
}
int UnitLimit(int j) { return j == 1 ? 2 : 4; }
}  // namespace

std::string PrintInteger(int value) { return (value < 0 ? "" : " ") + std::to_string(value) + " "; }

std::string FormatCoefficient(double value) {
    std::string pattern = "###.00000";
    std::string text = FormatPattern(value, pattern);
    for (int extra = 0; extra < 12 && Val(text) != value; ++extra) {
        pattern.push_back('#');
        text = FormatPattern(value, pattern);
    }
    if (Val(text) == value || !std::isfinite(value)) return text;
    // Too small (or too long) for the decimals: the shortest exact form, so a
    // tiny coefficient never comes back as 0 and turns into the default.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

std::string FormatInput(double value) { return FixDecimalComma(FormatExact(value)); }

std::vector<std::string> PigFileLines(const SharedState& s, const NumberTexts* numbers) {
    std::vector<std::string> lines;
    lines.reserve(kPigLines);
    for (int k = 0; k <= 4; ++k) lines.push_back(FixDecimalComma(FormatCoefficient(s.GrowthCurve(0, k))));
    for (int i = 1; i <= 5; ++i) lines.push_back(KeptNumber(numbers, s.CalibInputs(i), FormatInput));
    lines.push_back(std::to_string(s.HerdSex));
    lines.push_back(PrintInteger(s.EnergyUnit()) + "\t" + kEnergyNote);
    lines.push_back(PrintInteger(s.WeightUnit()));
    lines.push_back(PrintInteger(s.PriceUnit()));
    return lines;
}

void ReadPigText(SharedState& s, std::string_view text, const std::string& name, NumberTexts* numbers) {
    const std::vector<std::string> lines = SplitLines(text);
    const std::size_t n = lines.size();
    Dialogs& dialogs = DialogsOf(s);
    MainWindow* m = s.Main;
    // A location read anew has no figures an earlier switch of units converted.
    s.UnitSwitch.Clear();

    // A number line as every reader reads it: a decimal comma is a decimal
    // point, and the user is told.
    auto number = [&](std::size_t line) {
        const std::string& text = lines[line];
        const std::string fixed = FixDecimalComma(text);
        const double v = Val(fixed);
        if (fixed != text && Val(text) != v)
            dialogs.Message("The settings file " + name + ", line " + std::to_string(line + 1) + ": " + text +
                            " has a decimal comma and was read as " + ExactText(v));
        return std::pair<double, std::string>(v, fixed);
    };

    // Coefficients B0..B4; a 0 falls back to the default curve.
    for (int k = 0; k <= 4 && static_cast<std::size_t>(k) < n; ++k) {
        double v = number(static_cast<std::size_t>(k)).first;
        if (v == 0) {
            v = s.DefaultGrowthCurve(0, k);
            if (v == 0) v = kDefaultCurve[k];
        }
        s.GrowthCurve(0, k) = v;
        if (m) {
            m->GridWeight.EnsureCell(1, k + 1);
            m->GridWeight.SetTextMatrix(1, k + 1, ExactText(v));
        }
    }

    // The herd's calibration inputs, in the display units.
    for (int i = 1; i <= 5 && static_cast<std::size_t>(4 + i) < n; ++i) {
        const auto [v, text] = number(static_cast<std::size_t>(4 + i));
        s.CalibInputs(i) = v;
        if (numbers) numbers->Add(v, text);
        if (m) InputBoxes(*m)[static_cast<std::size_t>(i)]->Text = FormatAuto(s.CalibInputs(i));
    }

    // Herd sex. A file without the line gives Mixed.
    double herd = n >= kHerdSexLine ? Val(lines[kHerdSexLine - 1]) : 0;

    // Units: the whole number of the first two characters of lines 12..14.
    for (int j = 0; j <= 2 && kHerdSexLine + static_cast<std::size_t>(j) < n; ++j) {
        const std::string& line = lines[kHerdSexLine + static_cast<std::size_t>(j)];
        const double u = std::trunc(Val(std::string_view(line).substr(0, 2)));
        int16_t unit = static_cast<int16_t>(u);  // |u| < 100 from two characters
        if (unit < 0 || unit > UnitLimit(j)) {
            dialogs.Message("The " + std::string(UnitName(j)) + " " + ExactText(u) + " in " + name +
                            " is not one of 0 to " + std::to_string(UnitLimit(j)) + "; unit 0 is used instead.");
            unit = 0;
        }
        s.UnitTable(j) = unit;
    }

    if (m) {
        const auto boxes = InputBoxes(*m);
        for (int i = 1; i <= 5; ++i)
            boxes[static_cast<std::size_t>(i)]->ToolTip = "Initial value was " + FormatAuto(s.CalibInputs(i));
    }

    // A further number after the unit lines replaces the herd sex.
    if (n > kPigLines) {
        const auto items = InputItems(lines[kPigLines], 1);
        if (!items.empty() && IsPlainNumber(items[0])) herd = Val(items[0]);
    }
    const double h = RoundHalfEven(herd);
    if (h < -1 || h > 2) {
        dialogs.Message("The herd sex " + ExactText(herd) + " in " + name +
                        " is not 0 (Mixed), 1 (Males) or 2 (Females); Mixed is used instead.");
        s.HerdSex = 0;
    } else {
        s.HerdSex = static_cast<int16_t>(h);
    }
    if (m) m->ComboSex.ListIndex = s.HerdSex;

    if (n < kHerdSexLine)
        dialogs.Message("The settings file " + name + " holds only " + std::to_string(n) +
                        " of its 11 lines; the values it lacks were left as they were and the herd sex is Mixed.");
}

bool ReadPig(SharedState& s) {
    std::string content, error;
    if (!ReadTextFile(s.PigFile, content, error)) {
        DialogsOf(s).Message(error);
        return false;
    }
    NumberTexts numbers;
    ReadPigText(s, content, s.PigFile, &numbers);
    const std::string tables = JoinCrlf(PigFileLines(s, &numbers));
    RememberRead(s, s.PigFile, std::move(content), std::move(numbers), tables);
    s.PigDataReady = true;
    return true;
}

bool SavePigTo(SharedState& s, const std::string& path) {
    const std::string from = s.PigFile.empty() ? path : s.PigFile;
    return Holds(SaveLocationFile(s, path, JoinCrlf(PigFileLines(s, NumbersOf(s, from))), from));
}

bool SavePig(SharedState& s) {
    std::string path = s.PigFile;
    if (!s.FileFlags(2)) {
        std::string chosen = DialogsOf(s).SaveFile(
            "CURRENT FILE IS " + s.CalFile + " -  CHOOSE THE LOCATION AND NAME TO CHANGE IT", "*.pig",
            s.LocationFolder, kPigPattern);
        if (chosen.empty() || chosen == kPigPattern) return false;
        // A dotted name ("Herd.v2") is a name: only a name without the
        // settings ending gets it.
        if (chosen.size() < 4 || chosen.compare(chosen.size() - 4, 4, ".pig") != 0) chosen += ".pig";
        path = chosen;
    }
    if (path.empty()) {
        DialogsOf(s).Message("There is no settings file to save to: open or name a location first.");
        return false;
    }
    if (!SavePigTo(s, path)) return false;
    s.PigFile = path;
    return true;
}

void GridWeightClick(SharedState& s) {
    if (DialogsOf(s).Ask("Do you want to save this calibration data?", Buttons::YesNo) != Answer::Yes) return;
    if (s.LocationBase.empty()) {
        DialogsOf(s).Message("There is no location to save to: type a Calibration Name first.");
        return;
    }
    const std::string full = MakeLocationPath(s, s.LocationBase);
    if (s.Main) s.Main->Text6.Text = full;
    SavePigTo(s, full + ".pig");
}

bool SaveUnits(SharedState& s) {
    if (s.PigFile.empty()) {
        DialogsOf(s).Message("There is no settings file to save the units to: open or name a location first.");
        return false;
    }
    std::vector<std::string> lines;
    std::string error;
    if (!ReadLines(s.PigFile, lines, error)) {
        DialogsOf(s).Message(error + ". The units were not saved.");
        return false;
    }
    lines.resize(kHerdSexLine);  // the first eleven lines as they are (an empty line where the file has none)
    lines.push_back(PrintInteger(s.EnergyUnit()) + "\t" + kEnergyNote);
    lines.push_back(PrintInteger(s.WeightUnit()));
    lines.push_back(PrintInteger(s.PriceUnit()));
    const SaveResult r = SaveLocationFile(s, s.PigFile, JoinCrlf(lines));
    // Lines 1..11 are the file's, not the tables': what the tables give is
    // no longer known to match the file.
    if (r == SaveResult::Written) ForgetTables(s, s.PigFile);
    return Holds(r);
}

}  // namespace tarvisol
