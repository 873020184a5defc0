#pragma once
// A layout that lines its items up in columns and wraps them onto more lines
// when the window is narrow, so every box and button stays in view on a small
// screen. Items come in groups (addBreak starts a new one); each group starts
// on a line of its own and fills lines of k items, k being the most that fit
// the width. Column j is as wide as the widest item in column j of any line,
// so the items of all lines stay aligned.
#include <QLayout>
#include <vector>

namespace tarvisol::app {

class ReflowLayout : public QLayout {
public:
    explicit ReflowLayout(QWidget* parent = nullptr, int hSpacing = 10, int vSpacing = 6);
    ~ReflowLayout() override;

    void addItem(QLayoutItem* item) override;
    // The next item starts a new group on a new line.
    void addBreak();

    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

    // The number of items per line at this width (for tests and screenshots).
    int ColumnsAt(int width) const;

private:
    struct Plan {
        int columns = 1;
        std::vector<int> widths;
    };
    std::vector<std::vector<QLayoutItem*>> Groups() const;
    Plan PlanFor(int width) const;
    // Lays the items out in rect (when place) and returns the height used.
    int Arrange(const QRect& rect, bool place) const;

    std::vector<QLayoutItem*> items_;
    std::vector<bool> startsGroup_;
    bool pendingBreak_ = false;
    int hSpacing_, vSpacing_;
};

}  // namespace tarvisol::app
