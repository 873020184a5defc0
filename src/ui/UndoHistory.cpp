#include "ui/UndoHistory.h"

#include <utility>

namespace tarvisol {

std::string UndoKey(const SharedState& s) {
    return s.LocationBase + "\n" + std::to_string(s.EnergyUnit()) + " " + std::to_string(s.WeightUnit()) + " " +
           std::to_string(s.PriceUnit());
}

void UndoHistory::Record(const SharedState& s, UndoStep step) {
    step.Where = UndoKey(s);
    if (!done_.empty() && done_.back().Where != step.Where) done_.clear();
    undone_.clear();
    done_.push_back(std::move(step));
    if (done_.size() > kDepth) done_.erase(done_.begin());
}

bool UndoHistory::CanUndo(const SharedState& s) const { return !done_.empty() && done_.back().Where == UndoKey(s); }
bool UndoHistory::CanRedo(const SharedState& s) const { return !undone_.empty() && undone_.back().Where == UndoKey(s); }

std::string UndoHistory::UndoCaption(const SharedState& s) const { return CanUndo(s) ? "Undo " + done_.back().What : "Undo"; }
std::string UndoHistory::RedoCaption(const SharedState& s) const { return CanRedo(s) ? "Redo " + undone_.back().What : "Redo"; }

bool UndoHistory::Undo(SharedState& s) {
    if (!CanUndo(s)) return false;
    UndoStep step = std::move(done_.back());
    done_.pop_back();
    step.Undo(s);
    undone_.push_back(std::move(step));
    return true;
}

bool UndoHistory::Redo(SharedState& s) {
    if (!CanRedo(s)) return false;
    UndoStep step = std::move(undone_.back());
    undone_.pop_back();
    step.Redo(s);
    done_.push_back(std::move(step));
    return true;
}

void UndoHistory::Clear() {
    done_.clear();
    undone_.clear();
}

}  // namespace tarvisol
