#pragma once

#include <QWidget>

namespace norvane::ui {

// The main window's texts that no record fills: the status line and the module clock.
inline constexpr int kStatusLine = 1072;
inline constexpr int kClockText = 1070;
inline constexpr int kDeviceList = 1007;
inline constexpr int kCardList = 1036;

// Builds every control of the main window inside `central` and arranges them in the window's groups. Each
// carries its identifier, its label and an accessible name that tells it apart; the drop-down lists hold
// their fixed items. The device list's model and every action are the window's to wire.
void buildMainWindowControls(QWidget& central);

}  // namespace norvane::ui
