#pragma once
// The record and the main window as they were when a long command began, so
// that a cancelled command leaves both exactly as it found them.
#include <memory>

namespace tarvisol {

struct SharedState;
struct MainWindow;

class Checkpoint {
public:
    // Copies the record and, when it has one, its main window.
    explicit Checkpoint(const SharedState& s);
    ~Checkpoint();
    Checkpoint(const Checkpoint&) = delete;
    Checkpoint& operator=(const Checkpoint&) = delete;

    // Puts the record and the main window back. Where messages, the window,
    // the clipboard and progress go stays as it is now.
    void Restore(SharedState& s) const;

private:
    std::unique_ptr<SharedState> state_;
    std::unique_ptr<MainWindow> main_;
};

}  // namespace tarvisol
