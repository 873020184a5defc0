#include "app/GuideView.h"

#include <QFileInfo>
#include <QImage>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <QVBoxLayout>

namespace tarvisol::app {

GuideView::GuideView(const QString& guideFile, QWidget* parent) : QDialog(parent) {
    setObjectName("UserGuide");
    setWindowTitle("Tarvisol for Swine: User Guide");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("GuideText");
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({QFileInfo(guideFile).absolutePath()});
    browser_->setSource(QUrl::fromLocalFile(QFileInfo(guideFile).absoluteFilePath()), QTextDocument::MarkdownResource);
    layout->addWidget(browser_);
    resize(980, 760);
    NameHeadings();
    FitPictures();
}

// The markdown's contents link to its headings by their slugs, "#the-first-run":
// each heading carries its slug as an anchor, so the links work in the browser.
QString HeadingSlug(const QString& heading) {
    QString slug;
    for (const QChar c : heading.toLower()) {
        if (c.isLetterOrNumber() || c == '-' || c == '_') slug += c;
        else if (c == ' ') slug += '-';
    }
    return slug;
}

void GuideView::NameHeadings() {
    QTextDocument* doc = browser_->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0 || block.text().isEmpty()) continue;
        QTextCharFormat anchor;
        anchor.setAnchor(true);
        anchor.setAnchorNames({HeadingSlug(block.text())});
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(anchor);
    }
}

void GuideView::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FitPictures();
}

void GuideView::FitPictures() {
    QTextDocument* doc = browser_->document();
    const double room = browser_->viewport()->width() - 2 * doc->documentMargin() - 8;
    if (room <= 50) return;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextImageFormat image = fragment.charFormat().toImageFormat();
            if (!image.isValid()) continue;
            const QImage picture =
                doc->resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
            if (picture.isNull()) continue;
            const double width = std::min<double>(picture.width(), room);
            if (std::abs(image.width() - width) < 1) continue;
            image.setWidth(width);
            image.setHeight(picture.height() * width / picture.width());
            QTextCursor cursor(doc);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(image);
        }
    }
}

}  // namespace tarvisol::app
