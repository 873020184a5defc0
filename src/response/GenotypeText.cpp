#include "response/GenotypeText.h"

#include <array>
#include <charconv>
#include <cctype>
#include <cmath>

#include "response/GenotypeCurves.h"
#include "shared/TextEncoding.h"
#include "shared/TextFile.h"

namespace tarvisol::response {
namespace {

std::string Trimmed(std::string_view t) {
    std::size_t b = 0, e = t.size();
    while (b < e && (t[b] == ' ' || t[b] == '\t')) ++b;
    while (e > b && (t[e - 1] == ' ' || t[e - 1] == '\t')) --e;
    return std::string(t.substr(b, e - b));
}

std::string Lower(std::string t) {
    for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return t;
}

std::string Quoted(std::string_view line) {
    std::string shown = Windows1252ToUtf8(line.substr(0, 40));
    if (line.size() > 40) shown += "...";
    return "\"" + shown + "\"";
}

bool ReadNumber(const std::string& field, double& v) {
    const char* first = field.data();
    const char* last = first + field.size();
    if (first != last && *first == '+') ++first;
    const auto [p, ec] = std::from_chars(first, last, v);
    return ec == std::errc() && p == last && std::isfinite(v);
}

std::string NumberText(double v) {
    std::array<char, 32> buf{};
    const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v);
    return std::string(buf.data(), r.ptr);
}

// A text field as a line can carry it.
std::string OneLine(std::string t) {
    for (char& c : t)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return t;
}

struct NumberField {
    const char* Name;
    double SexGenotype::*Value;
};
constexpr NumberField kSexFields[] = {
    {"Mean protein deposition, %s, g/d", &SexGenotype::MeanProteinDeposition},
    {"Precocity, %s, per day", &SexGenotype::Precocity},
    {"NE intake at 50 kg, %s, kcal/d", &SexGenotype::NeIntake50},
    {"NE intake at 100 kg, %s, kcal/d", &SexGenotype::NeIntake100},
};

std::string FieldName(const NumberField& f, bool males) {
    std::string n = f.Name;
    n.replace(n.find("%s"), 2, males ? "males" : "females");
    return n;
}

constexpr const char* kModelName = "Growth model";
constexpr const char* kGenotypeName = "Genotype";
constexpr const char* kSourceName = "Source";
constexpr const char* kMalesName = "Males";
constexpr const char* kWastageName = "Feed wastage, %";

}  // namespace

void ReadGenotypeText(std::string_view text, GrowthModelChoice& choice, std::vector<std::string>& messages) {
    const std::vector<std::string> lines = SplitLines(text);
    GrowthModelChoice read = choice;
    std::vector<std::pair<std::string, std::size_t>> seen;  // name and the line that gave it
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::string where = "Genotype file, line " + std::to_string(i + 1) + ": ";
        if (Trimmed(line).empty()) continue;
        if (i == 0 && Lower(Trimmed(line)) == Lower(kGenotypeFileHeader)) continue;
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) {
            messages.push_back(where + Quoted(line) + " is not a name and a value");
            continue;
        }
        const std::string name = Lower(Trimmed(std::string_view(line).substr(0, tab)));
        const std::string field = Trimmed(std::string_view(line).substr(tab + 1));
        bool twice = false;
        for (const auto& [n, at] : seen)
            if (n == name) {
                messages.push_back(where + Quoted(line.substr(0, tab)) + " was given on line " + std::to_string(at + 1) +
                                   " already; the first stands");
                twice = true;
            }
        if (twice) continue;
        seen.emplace_back(name, i);
        if (name == Lower(kModelName)) {
            const std::string v = Lower(field);
            if (v == "nutrient response" || v == "response") read.Kind = GrowthModelKind::Response;
            else if (v == "documented curve" || v == "documented") read.Kind = GrowthModelKind::Documented;
            else messages.push_back(where + "the growth model " + Quoted(field) + " is neither \"documented curve\" nor \"nutrient response\"");
            continue;
        }
        if (name == Lower(kGenotypeName)) {
            read.Pig.Name = OneLine(field);
            continue;
        }
        if (name == Lower(kSourceName)) {
            read.Pig.Source = OneLine(field);
            continue;
        }
        if (name == Lower(kMalesName)) {
            const std::string v = Lower(field);
            if (v == "barrows") read.Pig.Males = MaleType::Barrows;
            else if (v == "entire males") read.Pig.Males = MaleType::EntireMales;
            else if (v == "immunocastrates") read.Pig.Males = MaleType::Immunocastrates;
            else messages.push_back(where + "the males " + Quoted(field) + " are neither barrows, entire males nor immunocastrates");
            continue;
        }
        double v = 0;
        const bool number = ReadNumber(field, v);
        if (name == Lower(kWastageName)) {
            if (number && v >= 0 && v <= 50) read.Pig.WastagePercent = v;
            else messages.push_back(where + std::string(kWastageName) + " " + Quoted(field) + " is not usable");
            continue;
        }
        bool known = false;
        for (const NumberField& f : kSexFields)
            for (bool males : {true, false})
                if (name == Lower(FieldName(f, males))) {
                    known = true;
                    SexGenotype& sex = males ? read.Pig.Male : read.Pig.Female;
                    if (number && v > 0) sex.*f.Value = v;
                    else messages.push_back(where + FieldName(f, males) + " " + Quoted(field) + " is not usable");
                }
        if (!known) messages.push_back(where + Quoted(line.substr(0, tab)) + " is not a genotype setting");
    }
    if (const std::string problem = GenotypeProblem(read.Pig); !problem.empty()) {
        messages.push_back("Genotype file: " + problem + "; the genotype stays as before");
        read.Pig = choice.Pig;
    }
    choice = read;
}

std::string GenotypeText(const GrowthModelChoice& choice) {
    const Genotype& g = choice.Pig;
    std::vector<std::string> lines{kGenotypeFileHeader};
    lines.push_back(std::string(kModelName) + "\t" + GrowthModelCaption(choice.Kind));
    lines.push_back(std::string(kGenotypeName) + "\t" + OneLine(g.Name));
    lines.push_back(std::string(kSourceName) + "\t" + OneLine(g.Source));
    lines.push_back(std::string(kMalesName) + "\t" + MaleTypeName(g.Males));
    lines.push_back(std::string(kWastageName) + "\t" + NumberText(g.WastagePercent));
    for (bool males : {true, false})
        for (const NumberField& f : kSexFields) {
            const SexGenotype& sex = males ? g.Male : g.Female;
            lines.push_back(FieldName(f, males) + "\t" + NumberText(sex.*f.Value));
        }
    return JoinCrlf(lines);
}

}  // namespace tarvisol::response
