// The matrix and restrictions editors never write what they no longer show
// against: a matrix opened again, an ingredient added or removed elsewhere,
// and edits not taken over are asked about before they go.
#include <gtest/gtest.h>

#include <filesystem>

#include "formulation/FormulationFiles.h"
#include "formulation/MatrixEditor.h"
#include "formulation/RestrictionsEditor.h"
#include "location/ScratchFolder.h"
#include "shared/TextFile.h"
#include "support/FormulationFixture.h"

using namespace tarvisol;
using tarvisol::testing::Slurp;
using tarvisol::testing::Spit;
namespace fs = std::filesystem;

namespace {

class EditorsUpToDate : public ::testing::Test, protected tarvisol::testing::FormulationFixture {
protected:
    class tarvisol::testing::ScratchFolder folder;  // the class, not the fixture's function of that name
    std::string Copy(const std::string& base) {
        for (const char* e : {"Matrix.txt", "Req.ing", "Req.nut", ".dts"}) fs::copy_file(DemoBase() + e, folder.File(base + e));
        return folder.File(base);
    }
    void Open(const std::string& base) {
        s->IngredientRestrictionFile = base + kIngredientEnding;
        ASSERT_TRUE(LoadLP(*s, base + kMatrixEnding));
        s->DietCount = 4;  // the demo's diets, as its diets grid gives them
        dialogs.ClearLog();
    }
    int IndexOf(const std::string& name) const {
        for (int i = 1; i <= s->IngredientCount; ++i)
            if (s->IngredientNames(i) == name) return i;
        return 0;
    }
};

TEST_F(EditorsUpToDate, OpeningAnotherMatrixRefillsTheEditorAndItsSaveWritesWhatItShows) {
    const std::string a = Copy("A"), b = Copy("B");
    std::string other = Slurp(b + kMatrixEnding);
    other.replace(other.find("\r\nCorn\r\n"), 8, "\r\nMaize\r\n");
    Spit(b + kMatrixEnding, other);
    Open(a);
    MatrixEditorWindow editor;
    LoadMatrixEditor(*s, editor);
    s->IngredientRestrictionFile.clear();
    Open(b);
    SyncMatrixEditor(*s, editor);
    EXPECT_EQ(editor.GridMatrix.TextMatrix(1, 0), "Maize");
    editor.GridMatrix.SetTextMatrix(1, 1, "199");
    SaveMatrixEditor(*s, editor);
    const std::string saved = Slurp(b + kMatrixEnding);
    EXPECT_NE(saved.find("\r\nMaize\r\n"), std::string::npos);
    EXPECT_NE(saved.find("199.00\tCost\tMaize"), std::string::npos);
    EXPECT_EQ(Slurp(a + kMatrixEnding), Slurp(DemoBase() + kMatrixEnding));
}

TEST_F(EditorsUpToDate, AnOutOfDateMatrixEditorDoesNotSaveItsOldGrid) {
    const std::string a = Copy("A"), b = Copy("B");
    Open(a);
    MatrixEditorWindow editor;
    LoadMatrixEditor(*s, editor);
    editor.GridMatrix.SetTextMatrix(1, 0, "Old corn");
    s->IngredientRestrictionFile.clear();
    Open(b);
    const std::string before = Slurp(b + kMatrixEnding);
    SaveMatrixEditor(*s, editor);
    EXPECT_EQ(Slurp(b + kMatrixEnding), before);
    EXPECT_EQ(s->IngredientNames(1), "Corn");
    EXPECT_EQ(dialogs.Messages(),
              std::vector<std::string>{"The matrix was opened again or changed after this editor was filled; nothing "
                                       "was taken over. The editor now shows the matrix " + b + kMatrixEnding + "."});
}

TEST_F(EditorsUpToDate, RemovingAnIngredientNeverShiftsTheLimitsOfTheRestrictionsEditor) {
    Open(Copy("A"));
    const int wheat = IndexOf("Wheat");
    ASSERT_GT(wheat, 1);
    const double wheatMax = s->IngredientLimits(1, 2, wheat);
    ASSERT_NE(wheatMax, s->IngredientLimits(1, 2, wheat + 1));
    RestrictionsWindow restrictions;
    LoadRestrictionsWindow(*s, restrictions);
    MatrixEditorWindow editor;
    LoadMatrixEditor(*s, editor);
    dialogs.Answer(Answer::Yes);
    RemoveIngredient(*s, editor, 1);  // Corn goes: every ingredient moves up one place
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].text, "Remove Corn from the matrix, its restrictions and the formulas?");
    ASSERT_EQ(IndexOf("Wheat"), wheat - 1);
    SaveIngredientsForSession(*s, restrictions);
    EXPECT_EQ(s->IngredientLimits(1, 2, IndexOf("Wheat")), wheatMax);
    EXPECT_EQ(restrictions.GridIngred.TextMatrix(wheat - 1, 0), std::to_string(wheat - 1) + " Wheat");
}

TEST_F(EditorsUpToDate, EditedRestrictionsAreAskedAboutBeforeAChangedIngredientListRefillsThem) {
    Open(Copy("A"));
    RestrictionsWindow restrictions;
    LoadRestrictionsWindow(*s, restrictions);
    restrictions.GridIngred.SetTextMatrix(2, 2, "55");
    MatrixEditorWindow editor;
    LoadMatrixEditor(*s, editor);
    dialogs.Answer(Answer::Yes).Answer(Answer::No);
    RemoveIngredient(*s, editor, 1);
    EXPECT_TRUE(SyncRestrictionsWindow(*s, restrictions));
    ASSERT_EQ(dialogs.Log().size(), 2u);
    EXPECT_EQ(dialogs.Log()[1].text,
              "Ingredients were added or removed in the matrix. Take over the restrictions changed in this window "
              "before it is filled again? (No discards those changes)");
    EXPECT_NE(restrictions.GridIngred.TextMatrix(1, 2), "55");  // No: the edit is gone, the list is the new one
    EXPECT_NE(s->IngredientLimits(1, 2, 1), 55);
    EXPECT_FALSE(SyncRestrictionsWindow(*s, restrictions));  // up to date now
}

TEST_F(EditorsUpToDate, SaveToFileAsksForTheFileTheFirstTime) {
    Open(Copy("A"));
    RestrictionsWindow restrictions;
    LoadRestrictionsWindow(*s, restrictions);
    restrictions.GridIngred.SetTextMatrix(1, 2, "55");
    const std::string other = folder.File("OtherReq.ing");
    dialogs.Text(other);
    SaveIngredientsToFile(*s, restrictions);
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].kind, "save");
    EXPECT_NE(Slurp(other).find("\t 1 \t0\t55"), std::string::npos) << Slurp(other);
    SaveIngredientsToFile(*s, restrictions);  // the second time: the same file, no question
    EXPECT_EQ(dialogs.Log().size(), 1u);
}

TEST_F(EditorsUpToDate, ClosingAnEditorWithEditsNotTakenOverAsks) {
    Open(Copy("A"));
    RestrictionsWindow restrictions;
    LoadRestrictionsWindow(*s, restrictions);
    EXPECT_TRUE(CloseRestrictionsWindow(*s, restrictions));  // nothing changed: no question
    LoadRestrictionsWindow(*s, restrictions);
    restrictions.GridIngred.SetTextMatrix(1, 2, "55");
    dialogs.Answer(Answer::Cancel).Answer(Answer::Yes);
    EXPECT_FALSE(CloseRestrictionsWindow(*s, restrictions));
    EXPECT_TRUE(restrictions.Visible);
    EXPECT_TRUE(CloseRestrictionsWindow(*s, restrictions));
    EXPECT_EQ(s->IngredientLimits(1, 2, 1), 55);

    MatrixEditorWindow editor;
    LoadMatrixEditor(*s, editor);
    editor.GridMatrix.SetTextMatrix(2, 1, "401");
    dialogs.Answer(Answer::No);
    EXPECT_TRUE(CloseMatrixEditor(*s, editor));
    EXPECT_NE(s->IngredientPrices(2), 401);
    ASSERT_EQ(dialogs.Log().size(), 3u);
    EXPECT_EQ(dialogs.Log()[0].text,
              "The restrictions were changed and not taken over. Take them over for this session before closing? (No "
              "discards the changes)");
    EXPECT_EQ(dialogs.Log()[2].text,
              "The matrix was changed and not taken over. Take the changes over before closing? (No discards them)");
}

}  // namespace
