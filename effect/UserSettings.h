// What the user chose for the plug-in on this machine, kept among the user's settings
// and shared by every instance and every later session.
#pragma once

namespace userSettings {

// The panel size the user chose as a factor from 1.0 to 3.0; 0 for automatic, which is also the
// answer when nothing usable is stored.
double panelScale();
// 0 (or anything outside 1.0 to 3.0) stores automatic. False when the setting could not be
// written.
bool setPanelScale(double factor);

}  // namespace userSettings
