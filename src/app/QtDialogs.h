#pragma once
// Message boxes, questions, input boxes and file choosers as Qt dialogs.
#include <QPointer>
#include <QStatusBar>
#include <QWidget>

#include "shared/Clipboard.h"
#include "shared/Dialogs.h"
#include "shared/Progress.h"

class QProgressDialog;

namespace tarvisol::app {

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}
    void Message(const std::string& text, const std::string& title = {}) override;
    // In the status bar when one is set, else a message box.
    void Note(const std::string& text, const std::string& title = {}) override;
    void SetStatusBar(QStatusBar* bar) { status_ = bar; }
    Answer Ask(const std::string& text, Buttons buttons, const std::string& title = {}) override;
    std::string Input(const std::string& prompt, const std::string& title = {}, const std::string& initial = {}) override;
    // A cancelled chooser answers with the initial name (the pattern itself).
    // The open chooser also takes a name that does not exist yet, since a new
    // location is named there.
    std::string OpenFile(const std::string& title, const std::string& filter, const std::string& folder,
                         const std::string& initial) override;
    std::string SaveFile(const std::string& title, const std::string& filter, const std::string& folder,
                         const std::string& initial) override;

private:
    QWidget* parent_;
    QPointer<QStatusBar> status_;
};

class QtClipboard : public Clipboard {
public:
    std::string GetText() override;
    void SetText(const std::string& text) override;
};

// A modal progress dialog; reports keep the window painted. The dialog opens
// with the first report and shows at once, so a question the command asks
// before its work starts is never covered by it; Finish closes it before the
// command's closing messages. A cancel stays cancelled once pressed.
class QtProgress : public Progress {
public:
    explicit QtProgress(QWidget* parent, const QString& title);
    ~QtProgress() override;
    void Report(const std::string& stage, long done, long total, const std::string& detail = {}) override;
    bool Cancelled() const override;
    void Finish() override;
    // The dialog while it is open (null before the first report and after Finish).
    QProgressDialog* dialog() const { return dialog_; }

private:
    QWidget* parent_;
    QString title_;
    QProgressDialog* dialog_ = nullptr;
    bool cancelled_ = false;
};

// Qt's name filter for a pattern such as "*.pig" or "*.txt;*.dts".
QString QtFilter(const std::string& pattern);

}  // namespace tarvisol::app
