#include "app/RecentLocationsStore.h"

#include <QSettings>
#include <QStringList>

namespace tarvisol::app {
namespace {
constexpr const char* kKey = "recentLocations";
}

RecentLocations LoadRecentLocations() {
    QSettings settings;
    std::vector<std::string> stored;
    for (const QString& p : settings.value(kKey).toStringList()) stored.push_back(p.toStdString());
    return RecentLocations(stored);
}

void SaveRecentLocations(const RecentLocations& recent) {
    QSettings settings;
    QStringList paths;
    for (const std::string& p : recent.Paths()) paths << QString::fromStdString(p);
    settings.setValue(kKey, paths);
}

}  // namespace tarvisol::app
