// SPDX-License-Identifier: GPL-3.0-or-later
// A saved board's preview at twice its stored size, for screens with a device pixel
// ratio of 2: the stored one has too few pixels to be sharp there, so the board is
// composed again from its photograph and its goals, as the stored one was made.
#pragma once

#include <filesystem>
#include <optional>

#include "compose/goal_board.h"
#include "gallery/catalogue.h"
#include "imaging/bitmap.h"
#include "platform/screen.h"

namespace dorvane::app {

// The board's picture reduced into width × height with its text over it. Nothing
// when the board names no picture of the catalogue or was styled on a screen of
// another size (its stored preview then stays alone); a picture that cannot be read
// throws. Safe on any thread: it uses only what it is given.
std::optional<imaging::Bitmap> ComposeSavedPreviewTwin(const compose::GoalBoard& board,
                                                       const gallery::Catalogue& pictures,
                                                       const std::filesystem::path& galleryFolder,
                                                       const platform::ScreenInfo& screen,
                                                       int width, int height);

}  // namespace dorvane::app
