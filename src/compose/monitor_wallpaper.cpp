// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/monitor_wallpaper.h"

#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <thread>

#include "base/error.h"
#include "base/threads.h"
#include "compose/bmp_writer.h"
#include "compose/board_composer.h"
#include "compose/goal_text.h"
#include "compose/overlay.h"
#include "compose/set_wallpaper.h"
#include "imaging/fit.h"
#include "imaging/scale.h"

namespace dorvane::compose {
namespace {

namespace fs = std::filesystem;
using platform::Monitor;
using Status = MonitorWallpaperResult::Status;

// Resampling wants two rows at least; a monitor smaller than that shows nothing
// of a board anyway.
bool Composable(ScreenSize size) {
    return size.width >= 2 && size.height >= 2;
}

std::string SizeText(int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

// Runs compose(i) for every index, on as many threads as the machine has cores
// (each run holds a monitor's pictures, so no more at once than that).
void ForEachMonitor(std::size_t count, const std::function<void(std::size_t)>& compose) {
    std::atomic<std::size_t> next{0};
    const int threads = static_cast<int>(std::clamp<std::size_t>(
        std::min<std::size_t>(count, std::thread::hardware_concurrency()), 1, 8));
    base::RunOnThreads(threads, [&] {
        for (std::size_t i = next++; i < count; i = next++) compose(i);
    });
}

// Removes the wallpaper files of this folder that are not in `keep`: the earlier
// monitors' files, and the single file when monitors have their own.
void RemoveOthers(const fs::path& folder, const std::vector<fs::path>& keep) {
    std::error_code ec;
    std::set<fs::path> kept;
    for (const fs::path& p : keep) kept.insert(p.filename());
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const bool ours = name == kWallpaperFileName ||
                          (name.starts_with(kMonitorWallpaperPrefix) && name.ends_with(".bmp"));
        std::error_code ignored;
        if (ours && !kept.contains(it->path().filename()) && it->is_regular_file(ignored))
            fs::remove(it->path(), ignored);
    }
}

imaging::Bitmap ComposedPicture(const GoalBoard& board, const imaging::Bitmap& photo,
                                ScreenSize size, ScreenSize styled, int dpi) {
    ComposedScreen composed = ComposeScreen(board, photo, size, styled, dpi);
    OverlayTextLayer(composed.screen, composed.layer);
    return std::move(composed.screen);
}

class WallpaperRun {
public:
    WallpaperRun(const MonitorWallpaperJob& job, platform::wallpaper::Backend& desktop)
        : job_(job), desktop_(desktop) {}

    MonitorWallpaperResult go() {
        try {
            if (!job_.photo || job_.photo->empty()) throw base::Error("the board has no picture");
            std::vector<Monitor> usable;
            for (const Monitor& m : job_.monitors) {
                if (Composable({m.width, m.height}))
                    usable.push_back(m);
                else
                    result_.notes.push_back("the monitor " + m.name + " (" +
                                            SizeText(m.width, m.height) +
                                            ") is too small for a board; it was left as it is");
            }
            if (usable.empty()) throw base::Error("there is no monitor to compose the board for");
            if (!job_.only.empty() &&
                std::none_of(usable.begin(), usable.end(),
                             [&](const Monitor& m) { return m.name == job_.only; }))
                throw base::Error(NoSuchMonitor());
            if (job_.monitors.size() == 1) return single(usable.front());
            if (desktop_.monitorLayout() == platform::wallpaper::MonitorLayout::Each)
                return each(usable);
            return spanned(usable);
        } catch (const std::exception& e) {
            result_.status = Status::Failed;
            result_.message = e.what();
            return result_;
        }
    }

private:
    std::string NoSuchMonitor() const {
        std::string names;
        for (const Monitor& m : job_.monitors) names += (names.empty() ? "" : ", ") + m.name;
        return "there is no monitor " + job_.only + " (the monitors are " + names + ")";
    }

    ScreenSize styled() const { return StyledScreen(job_.board, job_.styledFallback); }

    MonitorWallpaperResult told(const platform::wallpaper::Outcome& outcome) {
        result_.status = outcome.ok ? Status::Set : Status::NotShown;
        result_.message = outcome.detail.toStdString();
        return result_;
    }

    MonitorWallpaperResult single(const Monitor& m) {
        const fs::path path = fs::absolute(job_.folder / kWallpaperFileName);
        const ComposedScreen composed =
            ComposeScreen(job_.board, *job_.photo, {m.width, m.height}, styled(), job_.dpi);
        WriteComposedBmpFile(path, composed.screen, composed.layer);
        result_.files = {path};
        RemoveOthers(job_.folder, result_.files);
        return told(desktop_.apply(QString::fromStdString(path.string())));
    }

    MonitorWallpaperResult each(const std::vector<Monitor>& usable) {
        const std::vector<std::string> names = MonitorFileNames(usable);
        std::vector<fs::path> paths;
        std::vector<std::size_t> chosen;
        for (std::size_t i = 0; i < usable.size(); ++i) {
            paths.push_back(fs::absolute(job_.folder / names[i]));
            if (job_.only.empty() || usable[i].name == job_.only) chosen.push_back(i);
        }
        // The composed pictures stay in memory for the desktop, up to a bound.
        long long pixels = 0;
        for (std::size_t i : chosen)
            pixels += static_cast<long long>(usable[i].width) * usable[i].height;
        const bool keep = pixels <= kMaxKeptPixels;
        std::vector<std::shared_ptr<const imaging::Bitmap>> kept(usable.size());
        ForEachMonitor(chosen.size(), [&](std::size_t k) {
            const Monitor& m = usable[chosen[k]];
            ComposedScreen composed =
                ComposeScreen(job_.board, *job_.photo, {m.width, m.height}, styled(), job_.dpi);
            WriteComposedBmpFile(paths[chosen[k]], composed.screen, composed.layer);
            if (!keep) return;
            OverlayTextLayer(composed.screen, composed.layer);
            kept[chosen[k]] = std::make_shared<const imaging::Bitmap>(std::move(composed.screen));
        });
        QList<platform::wallpaper::MonitorPicture> pictures;
        for (std::size_t i = 0; i < usable.size(); ++i) {
            const Monitor& m = usable[i];
            const bool target = std::find(chosen.begin(), chosen.end(), i) != chosen.end();
            std::error_code ec;
            // Setting one monitor leaves the others with the pictures they have.
            if (!target && !fs::is_regular_file(paths[i], ec)) continue;
            if (target) result_.files.push_back(paths[i]);
            pictures.append({QString::fromStdString(m.name),
                             QRect(m.x, m.y, m.logicalWidth, m.logicalHeight),
                             QString::fromStdString(paths[i].string()), kept[i]});
        }
        if (job_.only.empty()) RemoveOthers(job_.folder, result_.files);
        return told(desktop_.applyEach(pictures));
    }

    // One picture over the rectangle around all monitors, in the layout's logical
    // pixels (which the desktop stretches over its screen), each monitor's part
    // composed at its logical size. Later monitors win where monitors overlap.
    MonitorWallpaperResult spanned(const std::vector<Monitor>& usable) {
        int left = usable.front().x, top = usable.front().y;
        int right = left, bottom = top;
        for (const Monitor& m : usable) {
            left = std::min(left, m.x);
            top = std::min(top, m.y);
            right = std::max(right, m.x + m.logicalWidth);
            bottom = std::max(bottom, m.y + m.logicalHeight);
        }
        const long long pixels = static_cast<long long>(right - left) * (bottom - top);
        if (pixels > kMaxSpannedPixels)
            throw base::Error("the monitors span " + SizeText(right - left, bottom - top) +
                              " pixels, too many for one picture");
        const fs::path path = fs::absolute(job_.folder / kWallpaperFileName);
        imaging::Bitmap span = earlierSpan(path, right - left, bottom - top);
        std::vector<imaging::Bitmap> parts(usable.size());
        ForEachMonitor(usable.size(), [&](std::size_t i) {
            const Monitor& m = usable[i];
            if (!job_.only.empty() && m.name != job_.only) return;
            if (!Composable({m.logicalWidth, m.logicalHeight})) return;
            parts[i] = ComposedPicture(job_.board, *job_.photo, {m.logicalWidth, m.logicalHeight},
                                       styled(), job_.dpi);
        });
        for (std::size_t i = 0; i < usable.size(); ++i)
            Put(parts[i], span, usable[i].x - left, usable[i].y - top);
        WriteBmpFile(path, span);
        result_.files = {path};
        if (job_.only.empty()) RemoveOthers(job_.folder, result_.files);
        return told(desktop_.applySpanned(QString::fromStdString(path.string())));
    }

    // Setting one monitor of a spanned desktop keeps the rest of the earlier
    // picture when it was made for the same layout; otherwise the rest is black.
    imaging::Bitmap earlierSpan(const fs::path& path, int width, int height) {
        if (!job_.only.empty()) {
            QImageReader reader(QString::fromStdString(path.string()), "bmp");
            if (reader.size() == QSize(width, height)) {
                const QImage image = reader.read().convertToFormat(QImage::Format_RGB888);
                if (image.size() == QSize(width, height)) {
                    imaging::Bitmap earlier(width, height);
                    for (int y = 0; y < height; ++y)
                        std::memcpy(earlier.row(y), image.constScanLine(y),
                                    static_cast<std::size_t>(width) * 3);
                    return earlier;
                }
            }
            result_.notes.push_back(
                "the other monitors' parts of the picture are black: "
                "there was no earlier picture for this layout");
        }
        return imaging::Bitmap(width, height);
    }

    static void Put(const imaging::Bitmap& part, imaging::Bitmap& span, int x, int y) {
        if (part.empty()) return;
        const int x0 = std::max(0, x), x1 = std::min(span.width(), x + part.width());
        if (x1 <= x0) return;
        for (int row = std::max(0, y); row < std::min(span.height(), y + part.height()); ++row)
            std::memcpy(span.row(row) + std::size_t{3} * x0,
                        part.row(row - y) + std::size_t{3} * (x0 - x), std::size_t{3} * (x1 - x0));
    }

    const MonitorWallpaperJob& job_;
    platform::wallpaper::Backend& desktop_;
    MonitorWallpaperResult result_;
};

}  // namespace

ComposedScreen ComposeScreen(const GoalBoard& board, const imaging::Bitmap& photo, ScreenSize size,
                             ScreenSize styled, int dpi) {
    // The page-4 composer: the wallpaper is what page 4 would compose at this size.
    BoardComposer composer(size.width, size.height, dpi);
    composer.setScreenPhoto(photo);
    composer.render(board, styled);
    BoardComposer::Layers layers = std::move(composer).release();
    return {std::move(layers.screen), std::move(layers.layer)};
}

std::vector<std::string> MonitorFileNames(const std::vector<Monitor>& monitors) {
    std::vector<std::string> names;
    std::set<std::string> taken;
    for (const Monitor& m : monitors) {
        std::string part = m.name.substr(0, 64);
        for (char& c : part)
            if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_' && c != '.')
                c = '_';
        std::string name = kMonitorWallpaperPrefix + part + ".bmp";
        for (int n = 2; taken.contains(name); ++n)
            name = kMonitorWallpaperPrefix + part + "~" + std::to_string(n) + ".bmp";
        taken.insert(name);
        names.push_back(name);
    }
    return names;
}

MonitorWallpaperResult SetMonitorWallpapers(const MonitorWallpaperJob& job,
                                            platform::wallpaper::Backend& desktop) {
    return WallpaperRun(job, desktop).go();
}

WallpaperOutcome DescribeMonitorResult(const MonitorWallpaperResult& result) {
    std::string notes;
    for (const std::string& note : result.notes) notes += "\r\r" + note;
    switch (result.status) {
        case MonitorWallpaperResult::Status::Failed:
            return {WallpaperResult::Failed,
                    std::string(kWallpaperFailed) + "\r\r" + result.message + notes};
        case MonitorWallpaperResult::Status::NotShown: {
            std::string files;
            for (const fs::path& f : result.files)
                files += (files.empty() ? "" : "\r") + f.string();
            return {WallpaperResult::NotShown,
                    DesktopNotToldMessage(files, result.message) + notes};
        }
        case MonitorWallpaperResult::Status::Set:
            break;
    }
    return {WallpaperResult::Set, kWallpaperDone + notes};
}

}  // namespace dorvane::compose
