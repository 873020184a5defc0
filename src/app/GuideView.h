#pragma once
// Help -> "User Guide": the guide (Markdown, with its pictures) in a window of
// its own beside the main window.
#include <QDialog>
#include <QString>

class QTextBrowser;

namespace tarvisol::app {

class GuideView : public QDialog {
    Q_OBJECT
public:
    GuideView(const QString& guideFile, QWidget* parent);
    QTextBrowser* browser() const { return browser_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Pictures wider than the page are shown at the page's width.
    void FitPictures();
    QTextBrowser* browser_;
};

}  // namespace tarvisol::app
