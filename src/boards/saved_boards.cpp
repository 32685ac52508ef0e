// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/saved_boards.h"

#include <QString>
#include <algorithm>
#include <cstdio>

#include "base/base64.h"
#include "base/memory_stream.h"
#include "compose/saved_preview.h"
#include "imaging/jpeg.h"
#include "platform/files.h"

namespace dorvane::boards {
namespace fs = std::filesystem;

std::vector<SavedBoardEntry> ListSavedBoards(const fs::path& folder) {
    struct Keyed {
        QString key;
        SavedBoardEntry entry;
    };
    std::vector<Keyed> found;
    for (std::string& name : platform::FindFiles(folder, "*.GLS")) {
        std::string entry = name.substr(0, name.size() - 4);  // the ".gls" the pattern matched
        found.push_back({QString::fromStdString(entry), {std::move(entry), std::move(name)}});
    }
    // Unicode letter case folded, so that "Łódź" sorts beside "łąka"; entries
    // equal but for case keep a fixed order.
    std::sort(found.begin(), found.end(), [](const Keyed& a, const Keyed& b) {
        const int c = a.key.compare(b.key, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.entry.fileName < b.entry.fileName;
    });
    std::vector<SavedBoardEntry> out;
    out.reserve(found.size());
    for (Keyed& k : found) out.push_back(std::move(k.entry));
    return out;
}

std::string DateGoalsName(int year, int month, int day) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d-Goals", year, month, day);
    return text;
}

fs::path SaveTarget(const fs::path& chosen) {
    std::string name = chosen.filename().string();
    if (name.find('.') == std::string::npos) name += ".gls";
    return platform::ResolveName(chosen.parent_path(), name);
}

std::vector<std::string> MemoLines(const compose::TGoalsProject& board) {
    std::vector<std::string> lines;
    for (int i = 1; i <= compose::kGoalCount; ++i) {
        std::string_view goal = board.Goal[static_cast<std::size_t>(i)];
        const auto low = [](char c) { return static_cast<unsigned char>(c) <= 32; };
        while (!goal.empty() && low(goal.front())) goal.remove_prefix(1);
        while (!goal.empty() && low(goal.back())) goal.remove_suffix(1);
        if (!goal.empty()) lines.push_back("\xE2\x80\xA2 " + std::string(goal));
    }
    return lines;
}

std::optional<imaging::Bitmap> DecodeStoredPreview(std::string_view text) {
    if (text.empty()) return std::nullopt;
    try {
        base::MemoryStream encoded(text);
        base::MemoryStream jpeg;
        base::Base64Decode(encoded, jpeg);
        const std::span<const std::uint8_t> bytes(jpeg.bytes());
        const imaging::Size claimed = imaging::ReadJpegSize(bytes, "preview");
        if (claimed.width > compose::kPreviewBoxWidth ||
            claimed.height > compose::kPreviewBoxHeight)
            return std::nullopt;
        return imaging::DecodeJpeg(bytes, "preview");
    } catch (const std::exception&) {
        return std::nullopt;  // a preview that does not decode is simply not shown
    }
}

}  // namespace dorvane::boards
