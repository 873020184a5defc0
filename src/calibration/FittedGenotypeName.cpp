#include "calibration/FittedGenotypeName.h"

#include <filesystem>

namespace tarvisol {

Genotype NamedFittedGenotype(Genotype fitted, const std::string& locationBase, const std::string& startedFrom) {
    fitted.Name = "Fitted to the herd of " + std::filesystem::path(locationBase).filename().string();
    fitted.Source = "Fitted by the program to the location's measured herd (" + startedFrom + " as the start)";
    return fitted;
}

}  // namespace tarvisol
