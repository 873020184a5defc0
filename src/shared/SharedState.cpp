#include "shared/SharedState.h"

#include "shared/Clipboard.h"
#include "shared/Dialogs.h"

namespace tarvisol {

void DataInit(SharedState& s) {
    static constexpr double fat[5] = {0, 0.021917, 0.0039284, -0.00002635, 0.00000010986};
    for (int k = 1; k <= 4; ++k) s.FatCurve(0, k) = fat[k];

    // Grams of each amino acid per gram of body protein gain; row 1 is the one
    // the engine reads, row 2 a second profile kept for reference.
    static constexpr double profile1[12] = {0.0685, 0.028,  0.0681, 0.0121, 0.0842, 0.0411,
                                            0.0358, 0.0188, 0.0469, 0.078,  0.043,  0.0525};
    static constexpr double profile2[12] = {0.081, 0.022, 0.036, 0.011, 0.037, 0.018,
                                            0.049, 0.009, 0.053, 0.023, 0.016, 0.02};
    for (int j = 1; j <= 12; ++j) {
        s.AminoProfile(1, j) = profile1[j - 1];
        s.AminoProfile(2, j) = profile2[j - 1];
    }
    s.GainEnergyCost(1) = 6700;
    s.GainEnergyCost(2) = 1231;

    static constexpr double normal[31] = {0.5,     0.51994, 0.53983, 0.55962, 0.57926, 0.59871, 0.61791, 0.63683,
                                          0.65542, 0.67364, 0.69146, 0.70884, 0.72575, 0.74215, 0.75804, 0.77337,
                                          0.78814, 0.80234, 0.81594, 0.82894, 0.84134, 0.85314, 0.86433, 0.87493,
                                          0.88493, 0.89435, 0.90320, 0.91149, 0.91924, 0.92647, 0.93319};
    for (int i = 0; i <= 30; ++i) s.NormalTable(i) = normal[i];
}

Clipboard& ClipboardOf(SharedState& s) {
    static thread_local MemoryClipboard memory;
    return s.Clip ? *s.Clip : memory;
}

Dialogs& DialogsOf(SharedState& s) {
    static SilentDialogs silent;
    return s.Dialog ? *s.Dialog : silent;
}

}  // namespace tarvisol
