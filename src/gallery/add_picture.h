// SPDX-License-Identifier: GPL-3.0-or-later
// Adding a JPEG picture of the user's own: it is copied byte for byte into the
// gallery folder under its own name, the gallery is rebuilt and the new picture
// chosen.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "platform/dialogs.h"

namespace dorvane::gallery {

inline constexpr const char* kOnlyJpgMessage =
    "Only JPG images are valid!\r\rPlease, choose a different image or convert it.";
inline constexpr const char* kAlreadyInGalleryMessage =
    "An image with the same name already exists in your gallery!";

// Any other failure of the copy: names the gallery folder and the system's reason.
std::string CopyFailedMessage(const std::filesystem::path& galleryFolder,
                              const std::string& reason);

// The open dialog's fixed settings.
platform::FileDialogRequest OpenPictureRequest();

// The name by which the new picture is looked up: the file name up to its first ".".
std::string AddedPictureKey(const std::filesystem::path& chosen);

struct AddPictureSteps {
    // Rebuilds the gallery, then runs `then` (at once, or when the rebuild is done).
    std::function<void(std::function<void()> then)> buildGallery;
    // Selects findThumbnail(FindPictureByName(key)) and scrolls it into view.
    std::function<void(const std::string& key)> selectAndShow;
};

// Asks for a picture, copies it into the gallery folder, rebuilds the gallery
// and selects the new picture; a file that is not a JPG, or whose name is taken,
// is refused with a message.
void AddPictureFromDisk(platform::Dialogs& dialogs, const std::filesystem::path& galleryFolder,
                        const AddPictureSteps& steps);

}  // namespace dorvane::gallery
