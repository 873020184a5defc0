#include "shared/RunSnapshot.h"

#include <atomic>

namespace tarvisol {

uint64_t NextSnapshotOrder() {
    static std::atomic<uint64_t> order{0};
    return ++order;
}

}  // namespace tarvisol
