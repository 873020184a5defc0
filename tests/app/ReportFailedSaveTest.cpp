// The report's PDF writer made to fail half way through its save (the
// process may write only a few bytes into any file): the PDF that was there
// stays whole, no scratch file is left beside it, and the failure is told.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "pdf/ReportPdf.h"
#include "growth/RunSnapshotOf.h"
#include "report/ReportDocument.h"
#include "support/DemoAfterGrowth.h"

using namespace tarvisol;
namespace fs = std::filesystem;

namespace {

std::set<std::string> Names(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
    return names;
}

TEST(ReportFailedSave, TheOldPdfStaysWholeAndTheFailureIsTold) {
    tarvisol::testing::DemoAfterGrowth demo(kFormulationLeastCost);
    ASSERT_FALSE(demo.s->RunFailed);
    const RunSnapshot run = RunSnapshotOf(*demo.s);
    ReportRequest rq;
    rq.Run = &run;
    rq.Location = "Demo";
    rq.Date = "2026-07-15";
    const ReportDocument doc = BuildReport(rq);
    const std::string path = demo.folder.File("Demo report.pdf");
    std::string old;
    for (int i = 0; i < 40; ++i) old += "an older report line\r\n";
    tarvisol::testing::Spit(path, old);
    const auto before = Names(demo.folder.Str());
    pdf::PdfReportRenderer renderer;
    std::string error;
    bool written = true;
    {
        tarvisol::testing::FileSizeCap cap(8);
        written = renderer.WritePdf(doc, ReportPage::A4, path, error);
    }
    EXPECT_FALSE(written);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(tarvisol::testing::Slurp(path), old);
    EXPECT_EQ(Names(demo.folder.Str()), before);
}

}  // namespace
