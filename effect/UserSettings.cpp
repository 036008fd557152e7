#include "effect/UserSettings.h"

#include <cmath>
#include <cstdint>

#include "gui/draw/Scaling.h"
#include "gui/platform/UserSettings.h"

namespace userSettings {

namespace {

constexpr gui::platform::SettingsScope kScope = {"Mirevox", "Talon 5800"};
// The size in percent, as the menu names it.
constexpr char kPanelScaleValue[] = "Size";
constexpr double kPercent = 100.0;

}  // namespace

double panelScale() {
    std::uint32_t percent = 0;
    if (!gui::platform::readSetting(kScope, kPanelScaleValue, percent)) return 0.0;
    return gui::acceptedScale(percent / kPercent);
}

bool setPanelScale(double factor) {
    if (gui::acceptedScale(factor) == 0.0)
        return gui::platform::removeSetting(kScope, kPanelScaleValue);
    const auto percent = static_cast<std::uint32_t>(std::lround(factor * kPercent));
    return gui::platform::writeSetting(kScope, kPanelScaleValue, percent);
}

}  // namespace userSettings
