#include "app/ReflowLayout.h"

#include <QWidget>
#include <algorithm>

namespace tarvisol::app {

ReflowLayout::ReflowLayout(QWidget* parent, int hSpacing, int vSpacing)
    : QLayout(parent), hSpacing_(hSpacing), vSpacing_(vSpacing) {}

ReflowLayout::~ReflowLayout() {
    while (QLayoutItem* item = takeAt(0)) delete item;
}

void ReflowLayout::addItem(QLayoutItem* item) {
    items_.push_back(item);
    startsGroup_.push_back(pendingBreak_ || items_.size() == 1);
    pendingBreak_ = false;
    invalidate();
}

void ReflowLayout::addBreak() { pendingBreak_ = true; }

int ReflowLayout::count() const { return static_cast<int>(items_.size()); }

QLayoutItem* ReflowLayout::itemAt(int index) const {
    return index >= 0 && index < count() ? items_[static_cast<std::size_t>(index)] : nullptr;
}

QLayoutItem* ReflowLayout::takeAt(int index) {
    if (index < 0 || index >= count()) return nullptr;
    QLayoutItem* item = items_[static_cast<std::size_t>(index)];
    const bool started = startsGroup_[static_cast<std::size_t>(index)];
    items_.erase(items_.begin() + index);
    startsGroup_.erase(startsGroup_.begin() + index);
    if (started && index < count()) startsGroup_[static_cast<std::size_t>(index)] = true;
    invalidate();
    return item;
}

std::vector<std::vector<QLayoutItem*>> ReflowLayout::Groups() const {
    std::vector<std::vector<QLayoutItem*>> groups;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (startsGroup_[i] || groups.empty()) groups.emplace_back();
        if (!items_[i]->isEmpty()) groups.back().push_back(items_[i]);  // hidden widgets take no place
    }
    groups.erase(std::remove_if(groups.begin(), groups.end(), [](const auto& g) { return g.empty(); }), groups.end());
    return groups;
}

ReflowLayout::Plan ReflowLayout::PlanFor(int width) const {
    const auto groups = Groups();
    std::size_t widest = 1;
    for (const auto& g : groups) widest = std::max(widest, g.size());
    const QMargins m = contentsMargins();
    Plan plan;
    for (int k = static_cast<int>(widest); k >= 1; --k) {
        std::vector<int> widths(static_cast<std::size_t>(k), 0);
        for (const auto& g : groups)
            for (std::size_t i = 0; i < g.size(); ++i) {
                int& w = widths[i % static_cast<std::size_t>(k)];
                w = std::max(w, g[i]->sizeHint().width());
            }
        int total = m.left() + m.right() + (k - 1) * hSpacing_;
        for (int w : widths) total += w;
        plan.columns = k;
        plan.widths = widths;
        if (total <= width) break;
    }
    return plan;
}

int ReflowLayout::ColumnsAt(int width) const { return PlanFor(width).columns; }

int ReflowLayout::Arrange(const QRect& rect, bool place) const {
    const QMargins m = contentsMargins();
    const Plan plan = PlanFor(rect.width());
    const auto k = static_cast<std::size_t>(plan.columns);
    int y = rect.y() + m.top();
    bool first = true;
    for (const auto& g : Groups()) {
        for (std::size_t start = 0; start < g.size(); start += k) {
            if (!first) y += vSpacing_;
            first = false;
            int lineHeight = 0;
            for (std::size_t i = start; i < std::min(g.size(), start + k); ++i)
                lineHeight = std::max(lineHeight, g[i]->sizeHint().height());
            int x = rect.x() + m.left();
            for (std::size_t i = start; i < std::min(g.size(), start + k); ++i) {
                // One column on a window narrower than the widest item: the
                // items take what width there is.
                const int w = plan.columns == 1 ? std::max(1, std::min(plan.widths[0], rect.width() - m.left() - m.right()))
                                                : plan.widths[i - start];
                if (place) g[i]->setGeometry(QRect(x, y, w, lineHeight));
                x += plan.widths[i - start] + hSpacing_;
            }
            y += lineHeight;
        }
    }
    return y + m.bottom() - rect.y();
}

int ReflowLayout::heightForWidth(int width) const { return Arrange(QRect(0, 0, width, 0), false); }

QSize ReflowLayout::minimumSize() const {
    QSize size;
    for (QLayoutItem* item : items_)
        if (!item->isEmpty()) size = size.expandedTo(item->minimumSize());
    const QMargins m = contentsMargins();
    return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

QSize ReflowLayout::sizeHint() const {
    const Plan plan = PlanFor(QWIDGETSIZE_MAX);
    const QMargins m = contentsMargins();
    int width = m.left() + m.right() + (plan.columns - 1) * hSpacing_;
    for (int w : plan.widths) width += w;
    return {width, heightForWidth(width)};
}

void ReflowLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    Arrange(rect, true);
}

}  // namespace tarvisol::app
