// "Export Report..." and "Export to Excel..." on the demo: each tells what it
// wrote, why it wrote nothing, or that the kept runs could not be read.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "report/RunsFile.h"
#include "support/DemoAfterGrowth.h"
#include "support/FolderContents.h"
#include "ui/ReportExport.h"

namespace tarvisol {
namespace {
using Texts = std::vector<std::string>;

// A renderer whose disk is full.
class FullDisk : public ReportRenderer {
public:
    bool WritePdf(const ReportDocument&, ReportPage, const std::string&, std::string& error) override {
        error = "No space left on device";
        return false;
    }
};

TEST(ReportExport, EachExportTellsWhatItWroteOrWhyNot) {
    testing::DemoAfterGrowth demo(kFormulationGridDiets);
    SharedState& s = *demo.s;
    demo.dialogs.ClearLog();
    const std::string book = demo.folder.File("Herd.xlsx");
    demo.dialogs.Text(demo.folder.File("Herd"));  // the ending is added
    ExportWorkbook(s, "2026-07-15");
    // A file written is noted, with no box to close.
    EXPECT_EQ(demo.dialogs.Messages(), Texts{});
    EXPECT_EQ(demo.dialogs.Notes(), Texts{"Workbook written to " + book});
    ASSERT_TRUE(std::filesystem::exists(book));

    FullDisk full;
    demo.dialogs.ClearLog();
    demo.dialogs.Text(demo.folder.File("Herd.pdf"));
    ExportReport(s, full, "2026-07-15", ReportPage::A4);
    EXPECT_EQ(demo.dialogs.Messages(), Texts{"The report was not written: No space left on device"});

    // A kept-runs file the program cannot read: the export goes on without it.
    testing::Spit(RunsFileOf(s), "not runs");
    std::vector<KeptRun> unread;
    std::string why;
    ASSERT_FALSE(ReadRunsFile(RunsFileOf(s), unread, why));
    demo.dialogs.ClearLog();
    const std::string missingFolder = demo.folder.File("gone/Herd.xlsx");
    demo.dialogs.Text(missingFolder);
    ExportWorkbook(s, "2026-07-15");
    const Texts told = demo.dialogs.Messages();
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[0], why + "; the export leaves the comparison out");
    EXPECT_EQ(told[1].rfind("The workbook was not written: ", 0), 0u) << told[1];
    EXPECT_FALSE(std::filesystem::exists(missingFolder));

    // No run the program stands behind and nothing kept: nothing to export.
    std::filesystem::remove(RunsFileOf(s));
    s.LastRun = RunSnapshot{};
    const auto files = testing::FolderContents(demo.folder.Str());
    demo.dialogs.ClearLog();
    ExportWorkbook(s, "2026-07-15");
    ExportReport(s, full, "2026-07-15", ReportPage::A4);
    EXPECT_EQ(demo.dialogs.Messages(), (Texts{"Nothing to export: There is no finished run: run Growth first",
                                              "No report: There is no finished run: run Growth first"}));
    EXPECT_TRUE(testing::FolderContents(demo.folder.Str()) == files);
}

}  // namespace
}  // namespace tarvisol
