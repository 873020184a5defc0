#pragma once
// How many threads parallel work (calibration grids, plot sweep points) uses.
#include <thread>

namespace tarvisol {

// `requested` when above 0, otherwise one per processor (at least one).
inline int WorkerThreads(int requested) {
    if (requested > 0) return requested;
    const unsigned hw = std::thread::hardware_concurrency();
    return hw == 0 ? 1 : static_cast<int>(hw);
}

}  // namespace tarvisol
