// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/render_command.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>

#include "app/command_line.h"
#include "app/command_line_text.h"
#include "base/ascii.h"
#include "base/error.h"
#include "base/rounding.h"
#include "boards/profile.h"
#include "boards/project_file.h"
#include "compose/bmp_writer.h"
#include "compose/font_families.h"
#include "compose/goal_text.h"
#include "compose/monitor_wallpaper.h"
#include "compose/overlay.h"
#include "compose/readability.h"
#include "compose/style_controls.h"
#include "gallery/builtin_pictures.h"
#include "gallery/catalogue.h"
#include "gallery/picture_loader.h"
#include "imaging/fit.h"
#include "imaging/scale.h"
#include "platform/atomic_file.h"
#include "platform/data_folder.h"
#include "platform/display_check.h"
#include "platform/files.h"

namespace dorvane::app {
namespace {

using namespace compose;

namespace fs = std::filesystem;

bool ParseInt(std::string_view text, int& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

std::string Extension(const fs::path& path) {
    return base::AsciiUpper(path.extension().string());
}

// Built-in pictures, then the gallery folder's *.jpg files, as the gallery lists them.
gallery::Catalogue MakeCatalogue(const fs::path& galleryFolder) {
    gallery::Catalogue pictures;
    std::int32_t number = 0;
    for (const std::string& name : gallery::BuiltInPictureNameList())
        pictures.push_back({name, true, ++number});
    for (const std::string& file : platform::FindFiles(galleryFolder, "*.jpg"))
        pictures.push_back({gallery::UserPictureName(file), false, ++number});
    return pictures;
}

compose::GoalBoard ReadBoard(const RenderOptions& o, const gallery::Catalogue& pictures,
                             std::vector<std::string>& warnings) {
    CheckBoardFile(o.board);
    StyleControls controls;
    FillFontList(controls, InstalledFontFamilies());
    std::optional<std::string> unknownPicture;
    const int readWidth = o.styledWidth > 0 ? o.styledWidth : o.width;
    const int readHeight = o.styledHeight > 0 ? o.styledHeight : o.height;
    boards::BoardReadContext context{
        readWidth, readHeight, controls.font.items, [&](const std::string& name) {
            const std::int32_t n = gallery::FindPictureByName(pictures, name);
            if (n < 1) unknownPicture = name;
            return n;
        }};
    GoalBoard board = NewBoard(readWidth);
    boards::ReadProjectFile(o.board, board, context);
    if (unknownPicture)
        warnings.push_back("the gallery has no picture \"" + *unknownPicture + "\"; \"" +
                           board.PicName + "\" is used");
    return board;
}

}  // namespace

std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

void CheckBoardFile(const fs::path& board) {
    std::error_code ec;
    const fs::file_status status = fs::status(board, ec);
    if (!fs::exists(status)) throw BoardFileError("there is no board " + board.string());
    if (!fs::is_regular_file(status))
        throw BoardFileError("the board " + board.string() + " is not a regular file");
    errno = 0;
    if (!std::ifstream(board, std::ios::binary))
        throw BoardFileError("cannot read the board " + board.string() + ": " +
                             std::strerror(errno != 0 ? errno : EIO));
    // Random bytes or an empty file read as a board of defaults: refused here, so
    // that nothing is composed, written or set from them.
    if (!boards::ProfileDocument::Load(board).hasSection("Goal"))
        throw BoardFileError(board.string() + " is not a goal board (it has no [Goal] section)");
}

bool ParseRenderSize(std::string_view text, int& width, int& height) {
    const std::size_t x = text.find_first_of("xX");
    return x != std::string_view::npos && ParseInt(text.substr(0, x), width) &&
           ParseInt(text.substr(x + 1), height) && width >= 1 && height >= 1 &&
           width <= kMaxRenderSide && height <= kMaxRenderSide;
}

std::variant<RenderOptions, std::string> ParseRenderArguments(
    const std::vector<std::string>& args) {
    auto parsed = ParseArguments(*FindCommandText("render"), args);
    if (auto* complaint = std::get_if<std::string>(&parsed)) return std::move(*complaint);
    const ParsedArguments& a = std::get<ParsedArguments>(parsed);
    RenderOptions o;
    o.board = a.operands[0];
    if (std::string complaint = ParseBoardSize(a.value("--size"), o.width, o.height);
        !complaint.empty())
        return complaint;
    if (a.has("--dpi") && (!ParseInt(a.value("--dpi"), o.dpi) || o.dpi < 24 || o.dpi > 1200))
        return "bad dpi \"" + a.value("--dpi") + "\": expected a whole number from 24 to 1200";
    if (a.has("--gallery")) o.gallery = a.value("--gallery");
    o.output = a.value("--output");
    o.report = a.has("--report");
    const std::string ext = Extension(o.output);
    if (ext != ".BMP" && ext != ".PNG") return "the output must end in .bmp or .png";
    return o;
}

std::string ParseBoardSize(const std::string& text, int& width, int& height) {
    if (!ParseRenderSize(text, width, height))
        return "bad size \"" + text + "\": expected WIDTHxHEIGHT, each 1 to " +
               std::to_string(kMaxRenderSide);
    if (!IsComposableSize(width, height))
        return "bad size \"" + text + "\": too low or too narrow to compose a board";
    return {};
}

bool IsComposableSize(int width, int height) {
    if (width < 1 || height < 2) return false;
    const imaging::Size preview = imaging::FitSize(width, height, 353, 262);
    return preview.width >= 1 && preview.height >= 2;
}

imaging::Bitmap RenderBoardPicture(const RenderOptions& o, std::vector<std::string>* warnings) {
    BoardLayers board = RenderBoardLayers(o, warnings);
    OverlayTextLayer(board.screen, board.layer);
    return std::move(board.screen);
}

BoardLayers RenderBoardLayers(const RenderOptions& o, std::vector<std::string>* warnings) {
    const BoardSource source = LoadBoardSource(o, warnings);
    const compose::ScreenSize size{o.width, o.height};
    const compose::ScreenSize fallback =
        o.styledWidth > 0 ? compose::ScreenSize{o.styledWidth, o.styledHeight} : size;
    compose::ComposedScreen composed = compose::ComposeScreen(
        source.board, source.photo, size, compose::StyledScreen(source.board, fallback), o.dpi);
    return {std::move(composed.screen), std::move(composed.layer), source.board};
}

BoardSource LoadBoardSource(const RenderOptions& o, std::vector<std::string>* warnings) {
    std::vector<std::string> noted;
    const fs::path folder = o.gallery.empty() ? platform::DataFolder() / "MyGallery" : o.gallery;
    std::error_code ec;
    if (!o.gallery.empty() && !fs::is_directory(o.gallery, ec))
        noted.push_back("the gallery folder " + o.gallery.string() +
                        " does not exist; only the built-in pictures are available");
    const gallery::Catalogue pictures = MakeCatalogue(folder);
    const GoalBoard board = ReadBoard(o, pictures, noted);
    if (warnings) *warnings = std::move(noted);
    imaging::Bitmap full;
    const std::int32_t number = gallery::FindPictureByName(pictures, board.PicName);
    try {
        gallery::LoadGalleryPicture(number, pictures, folder, full);
    } catch (const std::exception& e) {
        throw base::Error("cannot load the picture \"" + board.PicName + "\": " + e.what());
    }
    return {board, std::move(full)};
}

void CheckRenderOutput(const RenderOptions& o) {
    std::error_code ec;
    if (fs::equivalent(o.board, o.output, ec))
        throw base::Error("the output " + o.output.string() + " is the board itself");
    platform::ResolveWriteTarget(o.output);  // refuses folders, devices and FIFOs
}

void WriteRenderedPicture(const fs::path& path, const imaging::Bitmap& picture) {
    if (Extension(path) == ".BMP") {
        WriteBmpFile(path, picture);
        return;
    }
    const QImage image(picture.data(), picture.width(), picture.height(),
                       static_cast<qsizetype>(picture.stride()), QImage::Format_RGB888);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw base::Error("cannot encode " + path.string() + " as PNG");
    platform::WriteFileAtomically(path,
                                  std::span(reinterpret_cast<const std::uint8_t*>(png.constData()),
                                            static_cast<std::size_t>(png.size())));
}

std::unique_ptr<QGuiApplication> MakeCommandApplication(char* programName, bool offscreen) {
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtFatalMsg) std::cerr << text.toStdString() << "\n";
    });
    if (offscreen) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (QGuiApplication::instance() != nullptr) return nullptr;
    // Qt keeps references to both for the application's life.
    static int argc = 1;
    static char* argv[] = {programName, nullptr};
    const platform::QtStartGuard guard;
    return std::make_unique<QGuiApplication>(argc, argv);
}

int RunRenderCommand(const std::vector<std::string>& args, char* programName) {
    const auto parsed = ParseRenderArguments(args);
    if (const auto* complaint = std::get_if<std::string>(&parsed)) {
        std::cerr << "dorvane render: " << OneLine(*complaint) << " (see dorvane render --help)\n";
        return kExitBadArguments;
    }
    const RenderOptions& options = std::get<RenderOptions>(parsed);
    try {
        CheckBoardFile(options.board);
        CheckRenderOutput(options);
        // Text drawing needs a GUI application; the offscreen platform needs no display.
        const auto app = MakeCommandApplication(programName, true);
        std::vector<std::string> warnings;
        BoardLayers board = RenderBoardLayers(options, &warnings);
        for (const std::string& w : warnings) std::cerr << "dorvane render: warning: " << w << "\n";
        const compose::Readability measure =
            compose::MeasureBoardReadability(board.screen, board.layer, board.board.FontColor);
        OverlayTextLayer(board.screen, board.layer);
        WriteRenderedPicture(options.output, board.screen);
        if (options.report)
            std::cout << "readability: " << compose::DescribeReadability(measure) << "\n";
    } catch (const BoardFileError& e) {
        std::cerr << "dorvane render: " << OneLine(e.what()) << "\n";
        return kExitBadArguments;
    } catch (const std::exception& e) {
        std::cerr << "dorvane render: " << OneLine(e.what()) << "\n";
        return kExitFailed;
    }
    return kExitDone;
}

}  // namespace dorvane::app
