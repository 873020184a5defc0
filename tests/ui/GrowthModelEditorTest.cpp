// The growth model and genotype on the Inputs and Diets tab, on the demo
// location: an edited genotype marks the location changed and reaches its
// genotype file only through a save; a figure the model cannot grow is told
// and kept out; and the documented curve chosen again runs the documented
// system exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "growth/OutdatedResults.h"
#include "location/GenotypeFile.h"
#include "response/GenotypePresets.h"
#include "response/GenotypeText.h"
#include "shared/TextFile.h"
#include "support/DemoAfterGrowth.h"
#include "ui/GrowthModelEditor.h"

namespace tarvisol {
namespace {

struct DemoModel : testing::DemoAfterGrowth {
    GrowthModelEditor e;
    DemoModel() : DemoAfterGrowth(kFormulationLeastCost) {
        ShowGrowthModel(*s, e);
        dialogs.ClearLog();
    }
    void Choose(int model) {
        e.ComboModel.ListIndex = model;
        GrowthModelClick(*s, e);
        MarkOutdatedResults(*s);
    }
    std::string GenFile() const { return GenotypeFilePath(*s); }
};

TEST(GrowthModelEditor, AnEditedGenotypeMarksTheLocationChangedAndOnlyTheSaveWritesIt) {
    DemoModel x;
    ASSERT_FALSE(std::filesystem::exists(x.GenFile()));
    EXPECT_FALSE(x.e.GenotypeShown);
    EXPECT_TRUE(x.e.LabelChanged.Caption.empty());

    x.Choose(1);
    EXPECT_TRUE(x.e.GenotypeShown);
    EXPECT_EQ(x.e.ComboGenotype.Text(), response::ReferenceGenotype().Name);
    EXPECT_EQ(x.e.LabelSource.Caption, "Source: " + response::ReferenceGenotype().Source);
    GenotypeCellEdited(*x.s, x.e, kGenotypeRowMales, kGenotypeColDeposition, "142.5");
    MarkOutdatedResults(*x.s);
    EXPECT_EQ(x.s->Model.Pig.Male.MeanProteinDeposition, 142.5);
    EXPECT_EQ(x.s->Model.Pig.Female, response::ReferenceGenotype().Female);
    // No longer the preset: named as edited, listed after the presets.
    EXPECT_EQ(x.s->Model.Pig.Name, response::ReferenceGenotype().Name + ", edited");
    EXPECT_EQ(x.e.ComboGenotype.ListIndex, static_cast<int>(response::GenotypePresets().size()));
    EXPECT_NE(x.e.LabelChanged.Caption.find("Demo.gen"), std::string::npos) << x.e.LabelChanged.Caption;
    EXPECT_EQ(x.w->LabelResults.Caption, kResultsFromBefore);
    EXPECT_FALSE(std::filesystem::exists(x.GenFile()));
    const std::vector<std::string> unsaved = UnsavedLocationFiles(*x.s);
    EXPECT_NE(std::find(unsaved.begin(), unsaved.end(), x.GenFile()), unsaved.end());

    ASSERT_TRUE(SaveAllToCurrentLocation(*x.s));
    std::string text, error;
    ASSERT_TRUE(ReadTextFile(x.GenFile(), text, error)) << error;
    GrowthModelChoice read;
    std::vector<std::string> messages;
    response::ReadGenotypeText(text, read, messages);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(read, x.s->Model);
    ShowGrowthModel(*x.s, x.e);
    EXPECT_TRUE(x.e.LabelChanged.Caption.empty());
}

TEST(GrowthModelEditor, AFigureTheModelCannotGrowIsToldAndTheGenotypeStays) {
    DemoModel x;
    x.Choose(1);
    const Genotype before = x.s->Model.Pig;
    GenotypeCellEdited(*x.s, x.e, kGenotypeRowFemales, kGenotypeColIntake50, "lots");
    GenotypeCellEdited(*x.s, x.e, kGenotypeRowFemales, kGenotypeColPrecocity, "0.9");
    x.e.TextWastage.Text = "80";
    GenotypeWastageEdited(*x.s, x.e);
    EXPECT_EQ(x.s->Model.Pig, before);
    const std::vector<std::string> told = x.dialogs.Messages();
    ASSERT_EQ(told.size(), 3u);
    EXPECT_EQ(told[0], "The NE intake at 50 kg of the gilts must be a number; the genotype stays as it was");
    EXPECT_EQ(told[1], "The precocity of the gilts must be from 0.002 to 0.05 per day; the genotype stays as it was");
    EXPECT_EQ(told[2], "Feed wastage must be a number from 0 to 50 %; the genotype stays as it was");
    // The cells show the genotype in force again.
    double shown = 0;
    ASSERT_TRUE(x.e.GridGenotype.Figure(kGenotypeRowFemales, kGenotypeColIntake50, shown));
    EXPECT_EQ(shown, before.Female.NeIntake50);
}

TEST(GrowthModelEditor, TheDocumentedCurveChosenAgainRunsTheDocumentedSystem) {
    DemoModel x;
    ASSERT_EQ(x.w->TextPrice.Text, "50.23");
    x.Choose(1);
    Growth(*x.s);
    ASSERT_TRUE(x.s->LastRun.ResultsValid);
    EXPECT_EQ(x.s->LastRun.Model, "response");
    EXPECT_NE(x.w->TextPrice.Text, "50.23");

    x.Choose(0);
    EXPECT_FALSE(x.e.GenotypeShown);
    Growth(*x.s);
    EXPECT_EQ(x.s->LastRun.Model, "documented");
    EXPECT_EQ(x.w->TextPrice.Text, "50.23");
    EXPECT_EQ(x.w->TextF2G.Text, "2.510");
    EXPECT_EQ(x.w->Text5.Text, "162.9");
    // Nothing for the location's genotype file to hold: it is not written.
    EXPECT_TRUE(x.e.LabelChanged.Caption.empty());
    ASSERT_TRUE(SaveAllToCurrentLocation(*x.s));
    EXPECT_FALSE(std::filesystem::exists(x.GenFile()));
}

}  // namespace
}  // namespace tarvisol
