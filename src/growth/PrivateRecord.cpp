#include "growth/PrivateRecord.h"

namespace tarvisol {

PrivateRecord::PrivateRecord(const SharedState& from, Dialogs& dialogs)
    : window(std::make_unique<MainWindow>(*from.Main)), s(std::make_unique<SharedState>(from)) {
    s->Main = window.get();
    s->Dialog = &dialogs;
    s->Clip = nullptr;
    s->ActiveGrid = nullptr;
    s->OptProgress = nullptr;
    s->KeepFiles = true;
}

}  // namespace tarvisol
