#include "app/LegendLabel.h"

namespace tarvisol::app {

QLabel* LegendLabel(const ColourLegend& legend, QWidget* parent) {
    QString html;
    for (const LegendEntry& e : legend) {
        const QString colour = QString("#%1").arg(e.Colour & 0xFFFFFF, 6, 16, QChar('0'));
        html += QString("<span style=\"background-color:%1\">&nbsp;&nbsp;&nbsp;&nbsp;</span>&nbsp;%2&nbsp;&nbsp;&nbsp; ")
                    .arg(colour, QString::fromStdString(e.Meaning).toHtmlEscaped());
    }
    auto* label = new QLabel(html, parent);
    label->setObjectName("Legend");
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
    label->setToolTip(QString::fromStdString(LegendText(legend)));
    return label;
}

}  // namespace tarvisol::app
