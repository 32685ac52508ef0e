// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/saved_preview_twin.h"

#include "compose/board_composer.h"
#include "compose/board_scaling.h"
#include "compose/overlay.h"
#include "gallery/picture_loader.h"
#include "imaging/scale.h"

namespace dorvane::app {

std::optional<imaging::Bitmap> ComposeSavedPreviewTwin(const compose::GoalBoard& board,
                                                       const gallery::Catalogue& pictures,
                                                       const std::filesystem::path& galleryFolder,
                                                       const platform::ScreenInfo& screen,
                                                       int width, int height) {
    const std::int32_t n = gallery::FindPictureByName(pictures, board.PicName);
    if (n < 1 || width < 1 || height < 1 || screen.width < 1 || screen.height < 1)
        return std::nullopt;
    // Only a board styled on this screen: its stored preview was composed at this
    // size, which bounds the work (a file may claim any screen).
    const compose::ScreenSize here{screen.width, screen.height};
    if (!(compose::StyledScreen(board, here) == here)) return std::nullopt;
    imaging::Bitmap full;
    gallery::LoadGalleryPicture(n, pictures, galleryFolder, full);
    // Cropped to the screen's proportions as the wallpaper is, straight into the
    // twin's size (the tiny preview is the price of sharing that code).
    imaging::Bitmap twin(width, height);
    imaging::Bitmap unused(2, 2);
    imaging::PrepareScreenPictures(full, twin, unused);
    compose::BoardComposer composer(screen.width, screen.height, screen.dpi);
    composer.render(board);
    compose::OverlayTextLayer(twin, composer.textLayer());
    return twin;
}

}  // namespace dorvane::app
