#pragma once
// Help -> "User Guide": the guide (Markdown, with its pictures) in a window of
// its own beside the main window.
#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;

namespace tarvisol::app {

class GuideView : public QDialog {
    Q_OBJECT
public:
    GuideView(const QString& guideFile, QWidget* parent);
    QTextBrowser* browser() const { return browser_; }
    QLineEdit* findBox() const { return find_; }
    QPushButton* backButton() const { return back_; }
    // Finds the text from the place shown on (backwards with `back`),
    // wrapping round at the end; says so when it is nowhere.
    bool FindText(bool back = false);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Pictures wider than the page are shown at the page's width.
    void FitPictures();
    // Each heading named by its slug, the target of the contents' links.
    void NameHeadings();
    QTextBrowser* browser_;
    QLineEdit* find_ = nullptr;
    QPushButton* back_ = nullptr;
    QLabel* found_ = nullptr;
};

// A heading's link name as the guide's contents write it: "Least-cost
// formulation and the restrictions editor" -> "least-cost-formulation-and-the-restrictions-editor".
QString HeadingSlug(const QString& heading);

}  // namespace tarvisol::app
