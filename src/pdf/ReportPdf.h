#pragma once
// Report documents onto pages with Qt Gui (no widgets): the rich text laid
// out by QTextDocument on A4 or Letter pages with a foot line and "Page i of
// n", the weight chart drawn with QPainter from the document's chart data.
// The desktop program prints and exports through it, and the command line
// renders with it on the offscreen platform.
#include <QImage>
#include <QPagedPaintDevice>
#include <QTextDocument>
#include <memory>
#include <string>

#include "report/GrowthChartData.h"
#include "report/ReportDocument.h"
#include "ui/ReportExport.h"

namespace tarvisol::pdf {

// The live-weight chart of a run: phases shaded and named, the mixed herd,
// males and females, the measured herd and the final mark. `scale` draws a
// picture of size x scale pixels (for print quality).
QImage DrawWeightChart(const GrowthChartData& chart, QSize size, double scale = 1.0);

// Lays the document out on the device's pages and paints them. Returns the
// number of pages.
int PaintReport(QPagedPaintDevice& device, const ReportDocument& doc);

// The document laid out on the device's pages less a foot band, as
// PaintReport draws it: table heads repeat on each page a table runs onto and
// no heading stands alone at the foot of a page.
std::unique_ptr<QTextDocument> LayOutReport(QPagedPaintDevice& device, const ReportDocument& doc, double footerHeight);

// Writes PDF files through QPdfWriter, saved atomically.
class PdfReportRenderer : public ReportRenderer {
public:
    bool WritePdf(const ReportDocument& doc, ReportPage page, const std::string& path, std::string& error) override;
};

// For a program without a Qt application (the command line): starts a GUI
// application on the offscreen platform, when none runs, before rendering.
ReportRenderer& StandaloneReportRenderer();

}  // namespace tarvisol::pdf
