// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/saved_boards.h"

#include <QCollator>
#include <QLocale>
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

namespace {

// The person's locale, or English where none is set (the C locale), whose
// collation puts "Ärger" beside "apple" as every European one does.
QCollator BoardCollator() {
    QLocale locale;
    if (locale.language() == QLocale::C) locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

}  // namespace

std::vector<SavedBoardEntry> ListSavedBoards(const fs::path& folder) {
    struct Keyed {
        QCollatorSortKey key;
        SavedBoardEntry entry;
    };
    const QCollator collator = BoardCollator();
    std::vector<Keyed> found;
    for (std::string& name : platform::FindFiles(folder, "*.GLS")) {
        std::string entry = name.substr(0, name.size() - 4);  // the ".gls" the pattern matched
        // Shown as UTF-8 (a name in another encoding shows U+FFFD); the file keeps
        // its own bytes for reading and deleting.
        found.push_back(
            {collator.sortKey(QString::fromStdString(entry)), {std::move(entry), std::move(name)}});
    }
    // Entries equal but for case (or for bytes shown alike) keep a fixed order.
    std::sort(found.begin(), found.end(), [](const Keyed& a, const Keyed& b) {
        const int c = a.key.compare(b.key);
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

std::vector<std::string> MemoLines(const compose::GoalBoard& board) {
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
