#include "pdf/ReportPdf.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "shared/TextEncoding.h"
#include "shared/TextFile.h"

namespace tarvisol::pdf {
namespace {

QString Utf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// A round step for an axis of the given span: 1, 2 or 5 times a power of ten.
double NiceStep(double span, int ticks) {
    if (!(span > 0)) return 1;
    const double raw = span / std::max(ticks, 1);
    const double p = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (raw <= m * p) return m * p;
    return 10 * p;
}

QString Number(double v, double step) {
    const int decimals = step >= 1 ? 0 : std::min(3, static_cast<int>(std::ceil(-std::log10(step))));
    return QString::number(v, 'f', decimals);
}

const QColor kSexColours[3] = {QColor(20, 20, 20), QColor(30, 90, 200), QColor(200, 40, 60)};
const QColor kPhaseColours[2] = {QColor(232, 240, 250), QColor(248, 242, 226)};

}  // namespace

QImage DrawWeightChart(const GrowthChartData& c, QSize size, double scale) {
    QImage image(QSize(static_cast<int>(size.width() * scale), static_cast<int>(size.height() * scale)),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    if (c.Empty) return image;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    const double w = size.width(), h = size.height();
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    p.setFont(font);
    const QFontMetricsF fm(font);

    double lo = 0, hi = 0;
    ChartRange(c.Weight, c.Measured, lo, hi);
    const double yStep = NiceStep(hi - lo, 6);
    const double y0 = std::floor(lo / yStep) * yStep;
    double y1 = std::max(std::ceil(hi / yStep) * yStep, y0 + yStep);
    if (y1 - hi < 0.4 * yStep) y1 += yStep;  // room above the final mark for its label
    const double x0 = c.StartAge, x1 = std::max(c.FinalAge, c.StartAge + 1) + 0.02 * std::max(c.FinalAge - c.StartAge, 1.0);
    const double xStep = NiceStep(x1 - x0, 8);
    // Plot area: axis labels left and below, phase names above, legend below.
    const QRectF plot(58, 34, w - 58 - 14, h - 34 - 62);
    const auto X = [&](double x) { return plot.left() + (x - x0) / (x1 - x0) * plot.width(); };
    const auto Y = [&](double y) { return plot.bottom() - (y - y0) / std::max(y1 - y0, 1e-9) * plot.height(); };

    // Diet phases: shaded bands, named above the plot.
    for (std::size_t i = 0; i < c.Phases.size(); ++i) {
        const DietPhase& ph = c.Phases[i];
        const QRectF band(QPointF(X(ph.StartAge), plot.top()), QPointF(X(ph.EndAge), plot.bottom()));
        p.fillRect(band, kPhaseColours[i % 2]);
        const QString name = Utf8(Windows1252ToUtf8(ph.Name));
        const QString label = fm.elidedText(name, Qt::ElideRight, std::max(band.width() - 4, 8.0));
        p.setPen(QColor(70, 70, 70));
        p.drawText(QRectF(band.left() + 2, plot.top() - 30, band.width() - 4, 14), Qt::AlignHCenter | Qt::AlignBottom,
                   "Diet " + QString::number(ph.Number));
        p.drawText(QRectF(band.left() + 2, plot.top() - 16, band.width() - 4, 14), Qt::AlignHCenter | Qt::AlignBottom, label);
    }
    // Grid and axes.
    p.setPen(QPen(QColor(210, 210, 210), 0.6));
    for (double y = y0; y <= y1 + yStep * 1e-6; y += yStep) p.drawLine(QPointF(plot.left(), Y(y)), QPointF(plot.right(), Y(y)));
    const double xFirst = std::ceil(x0 / xStep) * xStep;
    for (double x = xFirst; x <= x1 + 1e-9; x += xStep) p.drawLine(QPointF(X(x), plot.top()), QPointF(X(x), plot.bottom()));
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.drawRect(plot);
    p.setPen(Qt::black);
    for (double y = y0; y <= y1 + yStep * 1e-6; y += yStep)
        p.drawText(QRectF(0, Y(y) - 8, plot.left() - 6, 16), Qt::AlignRight | Qt::AlignVCenter, Number(y, yStep));
    for (double x = xFirst; x <= x1 + 1e-9; x += xStep)
        p.drawText(QRectF(X(x) - 30, plot.bottom() + 3, 60, 14), Qt::AlignHCenter | Qt::AlignTop, Number(x, xStep));
    p.drawText(QRectF(plot.left(), plot.bottom() + 17, plot.width(), 14), Qt::AlignHCenter, "Age, days");
    p.save();
    p.translate(12, plot.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-plot.height() / 2, -10, plot.height(), 14), Qt::AlignHCenter,
               "Live weight, " + QString::fromStdString(c.WeightUnit));
    p.restore();

    // The three lines, the measured herd and the final mark.
    p.setClipRect(plot.adjusted(-1, -1, 1, 1));
    for (int k = 2; k >= 0; --k) {
        const ChartLine& line = c.Weight[static_cast<std::size_t>(k)];
        QPainterPath path;
        for (std::size_t i = 0; i < line.Points.size(); ++i) {
            const QPointF pt(X(line.Points[i].X), Y(line.Points[i].Y));
            if (i == 0) path.moveTo(pt);
            else path.lineTo(pt);
        }
        p.setPen(QPen(kSexColours[k], k == 0 ? 2.2 : 1.4, k == 0 ? Qt::SolidLine : Qt::DashLine));
        p.drawPath(path);
    }
    p.setPen(QPen(QColor(0, 120, 60), 1.2));
    p.setBrush(QColor(120, 220, 150));
    for (const XY& m : c.Measured) p.drawEllipse(QPointF(X(m.X), Y(m.Y)), 4, 4);
    const QPointF fin(X(c.FinalAge), Y(c.FinalWeight));
    p.setPen(QPen(QColor(120, 120, 120), 0.8, Qt::DotLine));
    p.drawLine(QPointF(plot.left(), fin.y()), fin);
    p.drawLine(fin, QPointF(fin.x(), plot.bottom()));
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(QColor(255, 200, 0));
    p.drawRect(QRectF(fin.x() - 4.5, fin.y() - 4.5, 9, 9));
    p.setClipping(false);
    const QString finalText = "Final " + QString::number(c.FinalWeight, 'f', 1) + " " + QString::fromStdString(c.WeightUnit) +
                              " at " + QString::number(c.FinalAge, 'f', 1) + " days";
    const double tw = fm.horizontalAdvance(finalText);
    p.drawText(QRectF(std::max(plot.left() + 4, fin.x() - tw - 8), fin.y() - 22, tw + 4, 14), Qt::AlignLeft, finalText);

    // Legend.
    double lx = plot.left();
    const double ly = plot.bottom() + 38;
    const auto legend = [&](const QString& text, const QPen& pen, bool dot) {
        p.setPen(pen);
        if (dot) {
            p.setBrush(QColor(120, 220, 150));
            p.drawEllipse(QPointF(lx + 9, ly + 7), 4, 4);
        } else {
            p.drawLine(QPointF(lx, ly + 7), QPointF(lx + 18, ly + 7));
        }
        p.setPen(Qt::black);
        p.drawText(QPointF(lx + 24, ly + 11), text);
        lx += 24 + fm.horizontalAdvance(text) + 18;
    };
    for (int k = 0; k < 3; ++k)
        legend(Utf8(c.Weight[static_cast<std::size_t>(k)].Name), QPen(kSexColours[k], k == 0 ? 2.2 : 1.4, k == 0 ? Qt::SolidLine : Qt::DashLine),
               false);
    if (!c.Measured.empty()) legend("Measured herd", QPen(QColor(0, 120, 60), 1.2), true);
    return image;
}

namespace {

// The top of what follows a heading, in document coordinates: the next
// paragraph, or the first row of the table that follows it.
double TopAfter(const QTextDocument& doc, const QTextBlock& heading) {
    const QTextBlock next = heading.next();
    if (!next.isValid()) return -1;
    // Its first line: the layout moves a line that does not fit (a picture,
    // say) to the next page while the block itself starts on this one.
    const double top = doc.documentLayout()->blockBoundingRect(next).top();
    const QTextLayout* layout = next.layout();
    return layout && layout->lineCount() > 0 ? top + layout->lineAt(0).y() : top;
}

// A heading never stands alone at the foot of a page: when the text after a
// heading (or after a run of headings, a section's and its first diet's)
// falls on a later page, the first heading of the run starts that page.
void KeepHeadingsWithTheirText(QTextDocument& doc, double pageHeight) {
    const auto isHeading = [](const QTextBlock& b) { return b.isValid() && b.blockFormat().headingLevel() > 0; };
    const auto pageOf = [&](double y) { return static_cast<int>(y / pageHeight); };
    for (int pass = 0; pass < 50; ++pass) {
        bool moved = false;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
            if (!isHeading(b) || isHeading(b.next())) continue;  // the last heading of a run
            const double after = TopAfter(doc, b);
            if (after < 0) continue;
            QTextBlock first = b;
            while (isHeading(first.previous())) first = first.previous();
            const double top = doc.documentLayout()->blockBoundingRect(first).top();
            if (pageOf(after) == pageOf(top)) continue;
            QTextBlockFormat format = first.blockFormat();
            if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) continue;  // starts a page already
            format.setPageBreakPolicy(format.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(first).setBlockFormat(format);
            // Lay the whole document out again: the incremental layout after a
            // change of format leaves later blocks where they were.
            doc.markContentsDirty(0, doc.characterCount());
            moved = true;
            break;  // the layout below has moved: look again from the top
        }
        if (!moved) return;
    }
}

}  // namespace

std::unique_ptr<QTextDocument> LayOutReport(QPagedPaintDevice& device, const ReportDocument& d, double footerHeight) {
    auto doc = std::make_unique<QTextDocument>();
    QFont font("DejaVu Sans");
    font.setPointSizeF(10);
    doc->setDefaultFont(font);
    doc->documentLayout()->setPaintDevice(&device);
    if (!d.WeightChart.Empty)
        doc->addResource(QTextDocument::ImageResource, QUrl(Utf8(d.ChartImage)),
                         DrawWeightChart(d.WeightChart, QSize(d.ChartWidth, d.ChartHeight), 3.0));
    doc->setHtml(Utf8(d.Html));
    const QSizeF body(device.width(), device.height() - footerHeight);
    doc->setPageSize(body);
    KeepHeadingsWithTheirText(*doc, body.height());
    return doc;
}

int PaintReport(QPagedPaintDevice& device, const ReportDocument& d) {
    const double dpi = device.logicalDpiY();
    const double footer = 0.35 * dpi;  // the foot line's band
    const std::unique_ptr<QTextDocument> laid = LayOutReport(device, d, footer);
    QTextDocument& doc = *laid;
    const QSizeF body = doc.pageSize();
    const int pages = std::max(1, doc.pageCount());

    QPainter p(&device);
    QFont foot("DejaVu Sans");
    foot.setPointSizeF(8);
    for (int i = 0; i < pages; ++i) {
        if (i > 0) device.newPage();
        p.save();
        p.translate(0, -i * body.height());
        doc.drawContents(&p, QRectF(0, i * body.height(), body.width(), body.height()));
        p.restore();
        p.setFont(foot);
        p.setPen(QColor(80, 80, 80));
        const QRectF line(0, body.height() + footer * 0.3, body.width(), footer * 0.6);
        p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, Utf8(d.Title + "  \xE2\x80\x94  " + d.Footer));
        p.drawText(line, Qt::AlignRight | Qt::AlignVCenter, QString("Page %1 of %2").arg(i + 1).arg(pages));
    }
    p.end();
    return pages;
}

bool PdfReportRenderer::WritePdf(const ReportDocument& doc, ReportPage page, const std::string& path, std::string& error) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(page == ReportPage::Letter ? QPageSize::Letter : QPageSize::A4));
        writer.setPageMargins(QMarginsF(16, 14, 16, 12), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(Utf8(doc.Title));
        writer.setCreator("Tarvisol for Swine");
        PaintReport(writer, doc);
    }
    buffer.close();
    if (buffer.data().isEmpty()) {
        error = "Cannot write " + path + ": the report could not be drawn";
        return false;
    }
    return SaveAtomic(path, std::string_view(buffer.data().constData(), static_cast<std::size_t>(buffer.data().size())), error);
}

namespace {

// Qt wants a private runtime folder; without XDG_RUNTIME_DIR it warns and makes
// one in the temporary folder that it never removes. A program that only draws
// a report gets a folder of its own for the run, taken away when it ends.
class PrivateRuntimeFolder {
public:
    PrivateRuntimeFolder() {
        if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
        std::error_code ec;
        const std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
        if (ec) return;
        std::string pattern = (temp / "tarvisol-runtime-XXXXXX").string();
        if (!mkdtemp(pattern.data())) return;  // mode 0700, as Qt asks
        folder_ = pattern;
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(folder_));
    }
    ~PrivateRuntimeFolder() {
        if (folder_.empty()) return;
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    PrivateRuntimeFolder(const PrivateRuntimeFolder&) = delete;
    PrivateRuntimeFolder& operator=(const PrivateRuntimeFolder&) = delete;

private:
    std::string folder_;
};

}  // namespace

ReportRenderer& StandaloneReportRenderer() {
    if (!QCoreApplication::instance()) {
        // Nothing is shown: the offscreen platform needs no display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static PrivateRuntimeFolder runtimeFolder;
        static int argc = 1;
        static char name[] = "tarvisol-cli";
        static char* argv[] = {name, nullptr};
        // Lives until the process ends (Qt's own exit handling takes it down).
        new QGuiApplication(argc, argv);
    }
    static PdfReportRenderer renderer;
    return renderer;
}

}  // namespace tarvisol::pdf
