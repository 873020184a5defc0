#pragma once
// The location: folder, base name and the names of its files.
#include <cstdint>
#include <string>

#include "shared/KnownFiles.h"
#include "shared/Table.h"
#include "shared/UnitSwitchMemory.h"

namespace tarvisol {

class LocationSaveBatch;

struct LocationState {
    // The program's own folder; the window-size file lives there.
    std::string ProgramFolder;
    // Folder of the current location; the program's folder at start-up.
    std::string LocationFolder;
    // Path and name of the location without extension (the base name).
    std::string LocationBase;

    // Names of the location's own files, derived by SetLocationFiles. The
    // matrix, diet and restriction names sit with the formulation tables, the
    // temperature file name with the temperature table.
    std::string PigFile;             // settings and calibration, base + ".pig"
    std::string CalFile;             // measured herd table, base + ".cal"
    std::string OptRestrictionFile;  // base + "Optrestrict.txt": named and kept, never read or written

    // 1 when the machine writes numbers with a decimal comma, 0 with a point.
    int16_t DecimalComma = 0;

    // Which of the location's files are known to be in use; entry 2 set means
    // SavePig writes the .pig without asking where. SetLocationFiles clears 1..10.
    Array1<bool, 0, 10> FileFlags;

    // The herd data (.pig) of the current location has been read.
    bool PigDataReady = false;

    // What each location file read or written in this session held, so that
    // saves write only what changed and keep the precision of what did not.
    KnownFiles Files;
    // Set by a front end that was not asked to save: no location file is
    // written (the command line without --save).
    bool KeepFiles = false;
    // The currency shown with every money figure of the location ("" none),
    // from its settings file (base + "Settings.txt").
    std::string Currency;
    // Saves of location files that failed in this session.
    int32_t FailedSaves = 0;
    // While set, location files are written aside, to change together
    // (LocationSaveBatch).
    LocationSaveBatch* SaveBatch = nullptr;
    // The figures the last switch of the unit system converted.
    UnitSwitchMemory UnitSwitch;
};

}  // namespace tarvisol
