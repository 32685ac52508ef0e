// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/project_file.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>
#include <utility>

#include "base/ascii.h"
#include "boards/profile.h"
#include "boards/utf8.h"
#include "compose/saved_preview.h"
#include "platform/atomic_file.h"

namespace dorvane::boards {
namespace {

using compose::GoalBoard;

constexpr const char* kGoal = "Goal";
constexpr const char* kPreview = "Preview";

bool IsReaderBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

// A value as the file holds it, so that a reader gives it back: on one line (a
// pasted line break becomes a blank), and a value wholly inside quotes wrapped in
// one more pair, which every reader of these files strips. Blanks around the value
// stay outside that pair, so they are dropped on reading as they always were.
std::string FileValue(std::string value) {
    std::replace_if(
        value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    std::string_view core = value;
    while (!core.empty() && IsReaderBlank(core.front())) core.remove_prefix(1);
    while (!core.empty() && IsReaderBlank(core.back())) core.remove_suffix(1);
    if (core.size() >= 2 && (core.front() == '"' || core.front() == '\'') &&
        core.back() == core.front())
        return '"' + std::string(core) + '"';
    return value;
}

std::string Text(const ProfileDocument& doc, const char* section, const std::string& key) {
    return doc.getString(section, key, "");
}

// The highest k for which a key "Data"k (k in canonical decimal) is present.
std::int64_t HighestPiecePresent(const ProfileDocument& doc) {
    std::int64_t highest = 0;
    for (const std::string& key : doc.keys(kPreview)) {
        if (key.size() < 5 || !base::EqualsIgnoringAsciiCase(key.substr(0, 4), "Data")) continue;
        const std::string digits = key.substr(4);
        std::int64_t k = 0;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), k);
        if (ec == std::errc() && end == digits.data() + digits.size() && digits[0] != '0' &&
            k <= std::numeric_limits<std::int32_t>::max())
            highest = std::max(highest, k);
    }
    return highest;
}

void ReadStyleFields(const ProfileDocument& doc, GoalBoard& board,
                     const BoardReadContext& context) {
    board.FontName = Text(doc, kGoal, "FontName");
    const auto& items = context.fontItems;
    if (std::none_of(items.begin(), items.end(), [&](const std::string& item) {
            return base::EqualsIgnoringAsciiCase(item, board.FontName);
        }))
        board.FontName = context.fontItems.empty() ? std::string() : context.fontItems.front();
    board.FontSize = doc.getInt(kGoal, "FontSize", 16);
    board.FontStyle = static_cast<std::uint8_t>(doc.getInt(kGoal, "FontStyle", 0) & 0xFF);
    board.FontColor = doc.getInt(kGoal, "FontColor", 0);
    board.FontShading = static_cast<std::uint8_t>(doc.getInt(kGoal, "FontShading", 0) & 0xFF);
    board.FontAlign = static_cast<std::uint8_t>(doc.getInt(kGoal, "FontAlign", 0) & 0xFF);
    board.FontBullets = doc.getInt(kGoal, "FontBullets", 0) != 0;
}

void ReadBoxFields(const ProfileDocument& doc, GoalBoard& board, int width, int height) {
    board.TextPosX = doc.getInt(kGoal, "TextPosX", 10);
    if (board.TextPosX > width - 50) board.TextPosX = 10;
    board.TextPosY = doc.getInt(kGoal, "TextPosY", 10);
    if (board.TextPosY > height - 10) board.TextPosY = 10;
    board.TextWidth = doc.getInt(kGoal, "TextWidth", width - 20);
    if (std::int64_t{width} < std::int64_t{board.TextPosX} + board.TextWidth)
        board.TextWidth = static_cast<std::int32_t>(std::min<std::int64_t>(
            std::int64_t{width} - board.TextPosX, std::numeric_limits<std::int32_t>::max()));
}

// A side of ScreenWidth/ScreenHeight: plain decimal digits only (the lenient
// integer reading would take "1920px" or "0x780"), within a screen's range.
std::optional<std::int32_t> ScreenSide(const ProfileDocument& doc, const char* key) {
    const std::optional<std::string> text = doc.get(kGoal, key);
    if (!text || text->empty() || text->size() > 9) return std::nullopt;
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (ec != std::errc() || end != text->data() + text->size() || (*text)[0] == '-')
        return std::nullopt;
    return value;
}

std::optional<std::pair<int, int>> ReadStyledScreen(const ProfileDocument& doc) {
    const auto width = ScreenSide(doc, "ScreenWidth");
    const auto height = ScreenSide(doc, "ScreenHeight");
    if (!width || !height || !IsStyledScreenSize(*width, *height)) return std::nullopt;
    return std::pair{*width, *height};
}

}  // namespace

bool IsStyledScreenSize(std::int64_t width, std::int64_t height) {
    return width >= 1 && height >= 1 && width <= kMaxStyledScreenSide &&
           height <= kMaxStyledScreenSide;
}

std::string BoardNameFromPath(const std::filesystem::path& path) {
    std::string name = ValidUtf8(path.string());
    // Only the slash separates folders here; a colon or a backslash is part of the name.
    const std::size_t cut = name.rfind('/');
    if (cut != std::string::npos) name.erase(0, cut + 1);
    const std::size_t length = Utf8Length(name);
    name.resize(length > 4 ? Utf8PrefixLength(name, length - 4) : 0);
    return name;
}

std::string BoardFileBytes(const GoalBoard& board, const std::string& name) {
    ProfileDocument doc;
    const auto put = [&](const char* key, const std::string& value) { doc.set(kGoal, key, value); };
    put("Version", "0.1");
    put("Name", FileValue(name));
    put("PicName", FileValue(board.PicName));
    for (int i = 1; i <= compose::kGoalCount; ++i)
        put(("Goal" + std::to_string(i)).c_str(),
            FileValue(board.Goal[static_cast<std::size_t>(i)]));
    put("FontName", FileValue(board.FontName));
    put("FontSize", std::to_string(board.FontSize));
    put("FontStyle", std::to_string(board.FontStyle));
    put("FontColor", std::to_string(board.FontColor));
    put("FontShading", std::to_string(board.FontShading));
    put("FontAlign", std::to_string(board.FontAlign));
    put("FontBullets", board.FontBullets ? "1" : "0");
    put("TextPosX", std::to_string(board.TextPosX));
    put("TextPosY", std::to_string(board.TextPosY));
    put("TextWidth", std::to_string(board.TextWidth));
    if (IsStyledScreenSize(board.ScreenWidth, board.ScreenHeight)) {
        put("ScreenWidth", std::to_string(board.ScreenWidth));
        put("ScreenHeight", std::to_string(board.ScreenHeight));
    }
    // The preview text is base64, so its characters are its bytes.
    std::size_t pieces = 0;
    for (std::size_t at = 0; at < board.Preview.size(); at += kPreviewPieceLength)
        doc.set(kPreview, "Data" + std::to_string(++pieces),
                board.Preview.substr(at, kPreviewPieceLength));
    doc.set(kPreview, "DataNum", std::to_string(pieces));
    return doc.serialize();
}

void WriteProjectFile(const std::filesystem::path& path, GoalBoard& board,
                      const imaging::Bitmap& screenPicture, const compose::TextLayer& layer) {
    std::string preview = compose::MakePreviewText(screenPicture, layer);
    const std::string bytes = [&] {
        GoalBoard saved = board;
        saved.Preview = preview;
        saved.ScreenWidth = screenPicture.width();
        saved.ScreenHeight = screenPicture.height();
        return BoardFileBytes(saved, BoardNameFromPath(path));
    }();
    platform::WriteFileAtomically(
        path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    board.Preview = std::move(preview);
    board.ScreenWidth = screenPicture.width();
    board.ScreenHeight = screenPicture.height();
}

void ReadProjectFile(const std::filesystem::path& path, GoalBoard& board,
                     const BoardReadContext& context) {
    try {
        const ProfileDocument doc = ProfileDocument::Load(path);
        board.Name = Text(doc, kGoal, "Name");
        board.PicName = Text(doc, kGoal, "PicName");
        if (!context.findPictureByName || context.findPictureByName(board.PicName) < 1)
            board.PicName = kFirstBuiltInPicture;
        for (int i = 1; i <= compose::kGoalCount; ++i)
            board.Goal[static_cast<std::size_t>(i)] = Text(doc, kGoal, "Goal" + std::to_string(i));
        ReadStyleFields(doc, board, context);
        // A board styled on another screen keeps its box as it was there; composing
        // scales it. Without a sound size it counts as styled on this screen.
        const auto styled = ReadStyledScreen(doc);
        board.ScreenWidth = styled ? styled->first : 0;
        board.ScreenHeight = styled ? styled->second : 0;
        ReadBoxFields(doc, board, styled ? styled->first : context.screenWidth,
                      styled ? styled->second : context.screenHeight);
        // Pieces beyond the last one present would add nothing; stop there.
        const std::int64_t count =
            std::min<std::int64_t>(doc.getInt(kPreview, "DataNum", 0), HighestPiecePresent(doc));
        std::string preview;
        for (std::int64_t k = 1; k <= count; ++k)
            preview += doc.getString(kPreview, "Data" + std::to_string(k), "");
        board.Preview = std::move(preview);
    } catch (const std::exception&) {
        // Reading reports nothing: the fields read so far keep their new values.
    }
}

}  // namespace dorvane::boards
