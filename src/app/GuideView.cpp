#include "app/GuideView.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
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

    // Back to where a link was followed from (Alt+Left), and a search box
    // (Ctrl+F; Enter finds the next place, Shift+Enter the one before).
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(6, 4, 6, 0);
    back_ = new QPushButton("&Back", this);
    back_->setObjectName("GuideBack");
    back_->setToolTip("Back to where the last link was followed from (Alt+Left)");
    back_->setEnabled(false);
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
    auto* backKey = new QShortcut(QKeySequence::Back, this);
    connect(backKey, &QShortcut::activated, browser_, &QTextBrowser::backward);
    bar->addWidget(back_);
    auto* findLabel = new QLabel("&Find:", this);
    find_ = new QLineEdit(this);
    find_->setObjectName("GuideFind");
    find_->setPlaceholderText("Search the guide (Ctrl+F); Enter for the next place");
    find_->setClearButtonEnabled(true);
    findLabel->setBuddy(find_);
    connect(find_, &QLineEdit::returnPressed, this, [this] { FindText(QApplication::keyboardModifiers() & Qt::ShiftModifier); });
    auto* findKey = new QShortcut(QKeySequence::Find, this);
    connect(findKey, &QShortcut::activated, this, [this] {
        find_->setFocus();
        find_->selectAll();
    });
    auto* next = new QPushButton("&Next", this);
    next->setObjectName("GuideFindNext");
    connect(next, &QPushButton::clicked, this, [this] { FindText(false); });
    found_ = new QLabel(this);
    found_->setObjectName("GuideFound");
    bar->addWidget(findLabel);
    bar->addWidget(find_, 1);
    bar->addWidget(next);
    bar->addWidget(found_);
    layout->addLayout(bar);
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

bool GuideView::FindText(bool back) {
    const QString text = find_->text();
    if (text.isEmpty()) return false;
    const QTextDocument::FindFlags flags = back ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    bool hit = browser_->find(text, flags);
    if (!hit) {  // round from the other end
        QTextCursor from(browser_->document());
        from.movePosition(back ? QTextCursor::End : QTextCursor::Start);
        browser_->setTextCursor(from);
        hit = browser_->find(text, flags);
    }
    found_->setText(hit ? QString() : "Not found");
    return hit;
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
