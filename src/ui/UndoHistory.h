#pragma once
// Edit -> Undo and Redo: the commands a user may take back (an edit of the
// diets or the curve, Transfer Optimum, Find the Best Cuts, the calibration's
// save), newest first. A step belongs to the location and the units it was
// done in: with another location open, or the figures in other units, it is
// not offered (and a new step there forgets the old ones).
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "shared/SharedState.h"

namespace tarvisol {

struct UndoStep {
    std::string What;  // "Transfer Optimum", "Edit of the diets", ...
    std::string Where;  // the location and units it was done in (UndoKey)
    std::function<void(SharedState&)> Undo, Redo;
};

// The location and units of the record, as a step is tied to them.
std::string UndoKey(const SharedState& s);

class UndoHistory {
public:
    static constexpr std::size_t kDepth = 30;  // older steps fall off

    // A command was done: it can be taken back; what was undone before it
    // can no longer be redone.
    void Record(const SharedState& s, UndoStep step);
    bool CanUndo(const SharedState& s) const;
    bool CanRedo(const SharedState& s) const;
    // "Undo Transfer Optimum", or "Undo" when there is nothing to undo.
    std::string UndoCaption(const SharedState& s) const;
    std::string RedoCaption(const SharedState& s) const;
    // Takes back (or does again) the newest step; false when there is none.
    bool Undo(SharedState& s);
    bool Redo(SharedState& s);
    void Clear();

private:
    std::vector<UndoStep> done_, undone_;
};

}  // namespace tarvisol
