#include "ui/StartPage.h"

namespace tarvisol {
namespace {

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '&': out += "&amp;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace

std::vector<const Button*> MainCommandButtons(const MainWindow& w) {
    return {&w.CommandGrowth,      &w.CommandRunLp,   &w.CommandEditRestrictions, &w.CommandSources,
            &w.CommandCalibration, &w.CommandOptimise, &w.CommandPlot};
}

StartPage BuildStartPage(const MainWindow& w) {
    StartPage page;
    page.steps = {
        "Open a location: File \u2192 Open Location... (Ctrl+O) and pick its .pig file, or type its name into "
        "\u201cCalibration Name\u201d and press Enter. A location is one herd's set of files: settings, diets, "
        "ingredient matrix and restrictions.",
        "Or open the bundled demo: Help \u2192 Open the Demo Location puts a fresh copy of it in your documents "
        "folder and opens it.",
        "Choose the Herd Sex and the Feed Formulation, then press " + w.CommandGrowth.Caption +
            ". The results appear on this tab; the diets are on \u201cInputs and Diets\u201d.",
        "Help \u2192 User Guide (F1) explains every window. Hold the pointer over a box or a diet row to see what "
        "it holds and in which unit.",
        "The menus hold the rest: Keep This Run and Compare Runs, the report and the workbook, the growth charts, "
        "the market weight, temperatures and units. Every command also runs without the window, from "
        "tarvisol-cli (the guide's \u201cThe command line\u201d).",
    };
    struct Line {
        const Button* button;
        const char* what;
    };
    const Line lines[] = {
        {&w.CommandGrowth, "grows the herd day by day on the diet programme and fills the results"},
        {&w.CommandRunLp, "formulates every diet at least cost from the ingredient matrix, without a growth run"},
        {&w.CommandEditRestrictions, "sets each diet's nutrient and ingredient minimums and maximums"},
        {&w.CommandSources, "shows where a diet's nutrient, ingredient or cost comes from (pick a diet cell first)"},
        {&w.CommandCalibration, "fits the growth curve to the herd's measured feed intake, final age and weights"},
        {&w.CommandOptimise, "searches feed allotments, energy and protein for the lowest feed cost per pig"},
        {&w.CommandPlot, "sweeps each diet over energy and lysine or protein and charts the responses (after Growth)"},
    };
    for (const Button* b : MainCommandButtons(w)) {
        if (!b->Visible) continue;
        std::string what = b->ToolTip;
        for (const Line& l : lines)
            if (l.button == b) what = l.what;
        page.buttons.push_back({b->Caption, what});
    }
    return page;
}

std::string StartPageHtml(const StartPage& page) {
    std::string html = "<h2>" + Escaped(page.title) + "</h2><ol>";
    for (const std::string& step : page.steps) html += "<li>" + Escaped(step) + "</li>";
    html += "</ol><table cellspacing=\"4\">";
    for (const StartPageButton& b : page.buttons)
        html += "<tr><td><b>" + Escaped(b.caption) + "</b></td><td>" + Escaped(b.what) + "</td></tr>";
    html += "</table>";
    return html;
}

bool ShowsStartPage(const SharedState& s) { return !s.PigDataReady; }

void OpenOnStartPage(SharedState& s) {
    if (s.Main && ShowsStartPage(s)) s.Main->MainTabs.Tab = 0;
}

void LeaveStartPage(SharedState& s, bool startPageWasShown) {
    if (s.Main && startPageWasShown && !ShowsStartPage(s) && s.Main->MainTabs.Tab == 0) s.Main->MainTabs.Tab = 1;
}

}  // namespace tarvisol
