#include "app/StartPageView.h"

#include "ui/Mnemonics.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "ui/StartPage.h"

namespace tarvisol::app {

StartPageView::StartPageView(QWidget* parent) : QWidget(parent) {
    setObjectName("StartPage");
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* page = new QWidget(scroll);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(18, 12, 18, 12);
    text_ = new QLabel(page);
    text_->setObjectName("StartPageText");
    text_->setTextFormat(Qt::RichText);
    text_->setWordWrap(true);
    text_->setMaximumWidth(900);
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(text_);
    auto* row = new QHBoxLayout;
    // Clear of the main window's menu bar: Alt and a letter presses these.
    Mnemonics mnemonics;
    mnemonics.Reserve("FERSVH");
    auto add = [&](const char* caption, const char* name, std::function<void()>* fn) {
        auto* b = new QPushButton(QString::fromStdString(mnemonics.Mark(caption)), page);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, [fn] {
            if (*fn) (*fn)();
        });
        row->addWidget(b);
    };
    add("Open a Location...", "StartOpenLocation", &onOpenLocation);
    add("Open the Demo Location", "StartOpenDemo", &onOpenDemo);
    add("User Guide", "StartGuide", &onGuide);
    row->addStretch(1);
    layout->addLayout(row);
    layout->addStretch(1);
    scroll->setWidget(page);
    outer->addWidget(scroll);
}

void StartPageView::Show(const MainWindow& form) {
    const QString html = QString::fromStdString(StartPageHtml(BuildStartPage(form)));
    if (text_->text() != html) text_->setText(html);
}

}  // namespace tarvisol::app
