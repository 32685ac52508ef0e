// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/add_picture.h"

#include "base/error.h"
#include "platform/files.h"

namespace dorvane::gallery {

std::string CopyFailedMessage(const std::filesystem::path& galleryFolder,
                              const std::string& reason) {
    std::string folder = galleryFolder.string();
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return "The picture could not be copied into the gallery folder \"" + folder + "\".\r\r" +
           reason + (reason.empty() || reason.back() == '.' ? "" : ".");
}

platform::FileDialogRequest OpenPictureRequest() {
    platform::FileDialogRequest r;
    r.title = "Find image...";
    r.filterName = "JPEG Image File";
    r.filterPattern = "*.jpg";
    r.defaultSuffix = "JPG";
    r.folder = "";  // cleared before each use: the platform's default folder
    r.picturePreview = true;
    r.resizable = true;
    return r;
}

std::string AddedPictureKey(const std::filesystem::path& chosen) {
    const std::string name = chosen.filename().string();
    return name.substr(0, name.find('.'));
}

namespace {

// The chosen file copied into the gallery, or a message saying why not.
void AddChosenPicture(platform::Dialogs& dialogs, const std::filesystem::path& galleryFolder,
                      const std::filesystem::path& path, const AddPictureSteps& steps) {
    const std::string fileName = path.filename().string();
    if (fileName.size() < 4 ||
        !platform::SameNameIgnoringCase(fileName.substr(fileName.size() - 4), ".jpg"))
        return dialogs.inform(kOnlyJpgMessage);
    platform::CopyOutcome copied;
    try {
        copied = platform::CopyFileNoOverwrite(path, galleryFolder, fileName);
    } catch (const base::Error& e) {
        return dialogs.inform(CopyFailedMessage(galleryFolder, e.what()));
    }
    if (copied == platform::CopyOutcome::NameTaken) return dialogs.inform(kAlreadyInGalleryMessage);
    steps.buildGallery(
        [select = steps.selectAndShow, key = AddedPictureKey(path)] { select(key); });
}

}  // namespace

void AddPictureFromDisk(platform::Dialogs& dialogs, const std::filesystem::path& galleryFolder,
                        const AddPictureSteps& steps) {
    dialogs.openFile(OpenPictureRequest(), [&dialogs, galleryFolder, steps](const auto& chosen) {
        if (chosen) AddChosenPicture(dialogs, galleryFolder, *chosen, steps);
    });
}

}  // namespace dorvane::gallery
