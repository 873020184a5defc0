#pragma once
// The recent locations kept between sessions in Qt's settings store (the
// user's configuration folder, under the program's organisation and name).
#include "ui/RecentLocations.h"

namespace tarvisol::app {

RecentLocations LoadRecentLocations();
void SaveRecentLocations(const RecentLocations& recent);

}  // namespace tarvisol::app
