// SPDX-License-Identifier: GPL-3.0-or-later
// Some desktops need time to settle between two settings (budgie-wm reloads its
// picture only when the options change 1.5 s apart). The wallpaper worker waits
// here; a program that is closing stops every such wait at once, so that it ends
// without delay and the desktop is left with the picture already set.
#pragma once

namespace dorvane::platform::wallpaper {

// Waits `ms` milliseconds on the calling (worker) thread; false when the wait
// was stopped.
bool SettleFor(int ms);

// Ends the waits under way and every later one: the program is closing.
void StopSettling();

}  // namespace dorvane::platform::wallpaper
