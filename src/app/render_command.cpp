// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/render_command.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <charconv>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>

#include "base/ascii.h"
#include "base/rounding.h"
#include "boards/profile.h"
#include "boards/project_file.h"
#include "compose/bmp_writer.h"
#include "compose/font_families.h"
#include "compose/goal_text.h"
#include "compose/monitor_wallpaper.h"
#include "compose/overlay.h"
#include "compose/style_controls.h"
#include "gallery/builtin_pictures.h"
#include "gallery/catalogue.h"
#include "gallery/picture_loader.h"
#include "imaging/fit.h"
#include "imaging/scale.h"
#include "platform/atomic_file.h"
#include "platform/data_folder.h"
#include "platform/error.h"
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
    return AsciiUpper(path.extension().string());
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

compose::TGoalsProject ReadBoard(const RenderOptions& o, const gallery::Catalogue& pictures,
                                 std::vector<std::string>& warnings) {
    std::error_code ec;
    if (!fs::is_regular_file(o.board, ec) || !std::ifstream(o.board, std::ios::binary))
        throw Error("cannot read the board " + o.board.string());
    StyleControls controls;
    FillFontList(controls, InstalledFontFamilies());
    std::optional<std::string> unknownPicture;
    const int readWidth = o.styledWidth > 0 ? o.styledWidth : o.width;
    const int readHeight = o.styledHeight > 0 ? o.styledHeight : o.height;
    boards::BoardReadContext context{
        readWidth, readHeight, controls.cbFont.items, [&](const std::string& name) {
            const std::int32_t n = gallery::FindPictureByName(pictures, name);
            if (n < 1) unknownPicture = name;
            return n;
        }};
    TGoalsProject board = NewBoard(readWidth);
    boards::ReadProjectFile(o.board, board, context);
    if (!boards::ProfileDocument::Load(o.board).hasSection("Goal"))
        warnings.push_back(o.board.string() + " has no [Goal] section; the default board is used");
    else if (unknownPicture)
        warnings.push_back("the gallery has no picture \"" + *unknownPicture + "\"; \"" +
                           board.PicName + "\" is used");
    return board;
}

}  // namespace

bool ParseRenderSize(std::string_view text, int& width, int& height) {
    const std::size_t x = text.find_first_of("xX");
    return x != std::string_view::npos && ParseInt(text.substr(0, x), width) &&
           ParseInt(text.substr(x + 1), height) && width >= 1 && height >= 1 &&
           width <= kMaxRenderSide && height <= kMaxRenderSide;
}

std::string RenderUsage() {
    return "Usage: dorvane render BOARD.gls --size WIDTHxHEIGHT [--dpi N] [--gallery DIR] "
           "-o OUT.bmp|OUT.png\n"
           "\n"
           "Composes a saved goal board exactly as its wallpaper would look on a screen of\n"
           "WIDTH x HEIGHT pixels at N pixels per inch (default 96), without a display.\n"
           "The picture comes from the built-in gallery or from the gallery folder (DIR, by\n"
           "default the program's own MyGallery folder). The output is a 24-bit BMP or a\n"
           "PNG file, chosen by its extension.\n";
}

std::variant<RenderOptions, std::string> ParseRenderArguments(
    const std::vector<std::string>& args) {
    RenderOptions o;
    bool sized = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--size" || a == "--dpi" || a == "--gallery" || a == "-o" || a == "--output") {
            if (!hasValue) return "missing value after " + a;
            const std::string& v = args[++i];
            if (a == "--size") {
                if (std::string complaint = ParseBoardSize(v, o.width, o.height);
                    !complaint.empty())
                    return complaint;
                sized = true;
            } else if (a == "--dpi") {
                if (!ParseInt(v, o.dpi) || o.dpi < 24 || o.dpi > 1200)
                    return "bad dpi \"" + v + "\": expected a whole number from 24 to 1200";
            } else if (a == "--gallery") {
                o.gallery = v;
            } else {
                o.output = v;
            }
        } else if (!a.empty() && a[0] == '-') {
            return "unknown option " + a;
        } else if (o.board.empty()) {
            o.board = a;
        } else {
            return "unexpected argument " + a;
        }
    }
    if (o.board.empty()) return "no board file given";
    if (!sized) return "no --size given";
    if (o.output.empty()) return "no output file given (-o OUT.bmp or OUT.png)";
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
    const Size preview = FitSize(width, height, 353, 262);
    return preview.width >= 1 && preview.height >= 2;
}

Bitmap RenderBoardPicture(const RenderOptions& o, std::vector<std::string>* warnings) {
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
    return {std::move(composed.screen), std::move(composed.layer)};
}

BoardSource LoadBoardSource(const RenderOptions& o, std::vector<std::string>* warnings) {
    std::vector<std::string> noted;
    const fs::path folder = o.gallery.empty() ? platform::DataFolder() / "MyGallery" : o.gallery;
    std::error_code ec;
    if (!o.gallery.empty() && !fs::is_directory(o.gallery, ec))
        noted.push_back("the gallery folder " + o.gallery.string() +
                        " does not exist; only the built-in pictures are available");
    const gallery::Catalogue pictures = MakeCatalogue(folder);
    const TGoalsProject board = ReadBoard(o, pictures, noted);
    if (warnings) *warnings = std::move(noted);
    Bitmap full;
    const std::int32_t number = gallery::FindPictureByName(pictures, board.PicName);
    try {
        gallery::LoadGalleryPicture(number, pictures, folder, full);
    } catch (const std::exception& e) {
        throw Error("cannot load the picture \"" + board.PicName + "\": " + e.what());
    }
    return {board, std::move(full)};
}

void CheckRenderOutput(const RenderOptions& o) {
    std::error_code ec;
    if (fs::equivalent(o.board, o.output, ec))
        throw Error("the output " + o.output.string() + " is the board itself");
    platform::ResolveWriteTarget(o.output);  // refuses folders, devices and FIFOs
}

void WriteRenderedPicture(const fs::path& path, const Bitmap& picture) {
    if (Extension(path) == ".BMP") {
        WriteBmpFile(path, picture);
        return;
    }
    const QImage image(picture.data(), picture.width(), picture.height(),
                       static_cast<qsizetype>(picture.stride()), QImage::Format_RGB888);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) throw Error("cannot encode " + path.string() + " as PNG");
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
    return std::make_unique<QGuiApplication>(argc, argv);
}

int RunRenderCommand(const std::vector<std::string>& args, char* programName) {
    const auto parsed = ParseRenderArguments(args);
    if (const auto* complaint = std::get_if<std::string>(&parsed)) {
        std::cerr << "dorvane render: " << *complaint << " (see dorvane --help)\n";
        return 2;
    }
    // Text drawing needs a GUI application; the offscreen platform needs no display.
    const auto app = MakeCommandApplication(programName, true);
    try {
        const RenderOptions& options = std::get<RenderOptions>(parsed);
        CheckRenderOutput(options);
        std::vector<std::string> warnings;
        const Bitmap picture = RenderBoardPicture(options, &warnings);
        for (const std::string& w : warnings) std::cerr << "dorvane render: warning: " << w << "\n";
        WriteRenderedPicture(options.output, picture);
    } catch (const std::exception& e) {
        std::cerr << "dorvane render: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace dorvane::app
