// SPDX-License-Identifier: GPL-3.0-or-later
// 16.16 fixed-point bilinear resampling.
//
// For destination pixel (i, j) with source position (ix + fx/65536, iy + fy/65536):
//   wA = 65536 − fy, wB = fy + 1, a2 = MulDiv(fx, wA, 65536), b2 = MulDiv(fx, wB, 65536)
//   value = (A[ix]·(wA − a2) + A[r]·a2 + B[ix]·(wB − b2) + B[r]·b2) >> 16
// which, in unsigned 32-bit arithmetic, is the same number as
//   (A[ix]·wA + B[ix]·wB + (A[r] − A[ix])·a2 + (B[r] − B[ix])·b2) >> 16.
// Where the processor has AVX-512 byte permutes and the samples of each 32
// destination channels lie close together (enlargements, mild reductions),
// destination rows are blended straight from the source rows (scale_direct.cpp).
// Otherwise the second form lets each source row be "expanded" once to
// destination width (A[ix] and A[r] − A[ix] for every destination channel); the
// rows of the destination then become straight loops over contiguous arrays
// that the compiler vectorises. Either way bands of rows run on separate threads.
#include "imaging/scale.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "base/rounding.h"
#include "imaging/fit.h"
#include "imaging/scale_plan.h"
#include "platform/error.h"
#include "platform/threads.h"

namespace dorvane {
namespace {

using detail::ScalePlan;

// One source row at destination width: value and right-hand difference per channel.
struct ExpandedRow {
    int y = -1;
    std::vector<std::int16_t> value;
    std::vector<std::int16_t> delta;
};

void Expand(const ScalePlan& plan, const Bitmap& source, int y, ExpandedRow& out) {
    detail::ExpandRow(plan, source.row(y), out.value.data(), out.delta.data());
    out.y = y;
}

// The two most recent source rows of one band of destination rows.
class RowCache {
public:
    RowCache(const ScalePlan& plan, const Bitmap& source) : plan_(plan), source_(source) {
        for (ExpandedRow& s : slots_) {
            s.value.resize(plan.left.size());
            s.delta.resize(plan.left.size());
        }
    }
    // Row y, never evicting `keep`.
    const ExpandedRow& Get(int y, const ExpandedRow* keep = nullptr) {
        for (ExpandedRow& s : slots_)
            if (s.y == y) return s;
        ExpandedRow& victim = (&slots_[0] == keep) ? slots_[1] : slots_[0];
        Expand(plan_, source_, y, victim);
        return victim;
    }

private:
    const ScalePlan& plan_;
    const Bitmap& source_;
    ExpandedRow slots_[2];
};

// Source row iy of destination row j and its vertical fraction fy.
struct RowPosition {
    int iy;
    std::uint32_t fy;
};

RowPosition PositionOf(const ScalePlan& plan, int j, int lastSourceRow) {
    const std::int64_t sy = std::int64_t{j} * plan.yStep;
    // Very large enlargements let the rounded step run past the last row;
    // clamp so that nothing outside the source is read.
    return {static_cast<int>(std::min<std::int64_t>(sy >> 16, lastSourceRow)),
            static_cast<std::uint32_t>(sy & 65535)};
}

void ScaleRowsExpanded(const ScalePlan& plan, const Bitmap& source, Bitmap& destination,
                       RowCache& cache, int firstRow, int endRow) {
    const int lastSourceRow = source.height() - 1;
    for (int j = firstRow; j < endRow; ++j) {
        const RowPosition at = PositionOf(plan, j, lastSourceRow);
        const ExpandedRow& a = cache.Get(at.iy);
        const ExpandedRow& b = at.iy < lastSourceRow ? cache.Get(at.iy + 1, &a) : a;
        detail::BlendRow(plan, a.value.data(), a.delta.data(), b.value.data(), b.delta.data(),
                         at.fy, destination.row(j));
    }
}

// Destination rows in pairs where two share their source rows (enlargements).
void ScaleRowsDirect(const ScalePlan& plan, const Bitmap& source, Bitmap& destination, int firstRow,
                     int endRow) {
    const int lastSourceRow = source.height() - 1;
    for (int j = firstRow; j < endRow;) {
        const RowPosition at = PositionOf(plan, j, lastSourceRow);
        std::uint32_t fy[2] = {at.fy, 0};
        std::uint8_t* out[2] = {destination.row(j), nullptr};
        int rows = 1;
        if (j + 1 < endRow) {
            const RowPosition next = PositionOf(plan, j + 1, lastSourceRow);
            if (next.iy == at.iy) fy[1] = next.fy, out[1] = destination.row(j + 1), rows = 2;
        }
        const int below = at.iy < lastSourceRow ? at.iy + 1 : at.iy;
        detail::BlendRowsDirect(plan, source.row(at.iy), source.row(below), rows, fy, out);
        j += rows;
    }
}

// Bands of rows handed out one at a time, so that a thread the system delays
// holds up only its current band, not half of the picture.
class BandQueue {
public:
    BandQueue(int rows, int bandRows) : rows_(rows), bandRows_(bandRows) {}
    // The next band [first, end), or false when none is left.
    bool Next(int& first, int& end) {
        first = next_.fetch_add(bandRows_, std::memory_order_relaxed);
        if (first >= rows_) return false;
        end = std::min(first + bandRows_, rows_);
        return true;
    }

private:
    const int rows_;
    const int bandRows_;
    std::atomic<int> next_{0};
};

void ScaleBands(const ScalePlan& plan, const Bitmap& source, Bitmap& destination,
                BandQueue& bands) {
    int first = 0, end = 0;
    if (detail::CanBlendDirect(plan)) {
        while (bands.Next(first, end)) ScaleRowsDirect(plan, source, destination, first, end);
        return;
    }
    RowCache cache(plan, source);
    while (bands.Next(first, end)) ScaleRowsExpanded(plan, source, destination, cache, first, end);
}

// The plans of the last few sizes: the screen and preview pictures are made
// over and over at the same sizes, and a 4K plan takes a while to work out.
std::shared_ptr<const ScalePlan> PlanFor(const Bitmap& source, const Bitmap& destination) {
    struct Entry {
        std::array<int, 4> sizes;
        std::shared_ptr<const ScalePlan> plan;
    };
    static std::mutex mutex;
    static std::deque<Entry> recent;
    const std::array<int, 4> sizes = {source.width(), source.height(), destination.width(),
                                      destination.height()};
    {
        const std::lock_guard lock(mutex);
        for (const Entry& e : recent)
            if (e.sizes == sizes) return e.plan;
    }
    auto plan = std::make_shared<const ScalePlan>(
        detail::MakeScalePlan(sizes[0], sizes[1], sizes[2], sizes[3]));
    const std::lock_guard lock(mutex);
    recent.push_front({sizes, plan});
    if (recent.size() > 4) recent.pop_back();
    return plan;
}

int ThreadCountFor(const Bitmap& destination) {
    // Threads pay off only for screen-sized work; thumbnails stay on one.
    const std::int64_t pixels = std::int64_t{destination.width()} * destination.height();
    if (pixels < 200'000) return 1;
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    return std::clamp(destination.height() / 64, 1, std::min(cores, 16));
}

void CopyPixels(const Bitmap& source, Bitmap& destination) {
    const std::size_t bytes = static_cast<std::size_t>(source.width()) * 3;
    for (int y = 0; y < source.height(); ++y) std::memcpy(destination.row(y), source.row(y), bytes);
}

}  // namespace

void ScaleBitmap(const Bitmap& source, Bitmap& destination) {
    detail::ScaleBitmapOnThreads(source, destination, ThreadCountFor(destination));
}

void detail::ScaleBitmapOnThreads(const Bitmap& source, Bitmap& destination, int threads,
                                  const platform::ThreadStarter& start) {
    if (source.width() == destination.width() && source.height() == destination.height()) {
        CopyPixels(source, destination);
        return;
    }
    if (destination.width() < 1 || destination.height() < 2)
        throw Error("Cannot resample a picture into " + std::to_string(destination.width()) + "x" +
                    std::to_string(destination.height()) +
                    " pixels: at least one column and two rows are needed");
    // A source without pixels has nothing to sample (its last column would be −1).
    if (source.empty())
        throw Error("Cannot resample a picture of " + std::to_string(source.width()) + "x" +
                    std::to_string(source.height()) + " pixels");

    const std::shared_ptr<const ScalePlan> shared = PlanFor(source, destination);
    const ScalePlan& plan = *shared;
    const int rows = destination.height();
    threads = std::clamp(threads, 1, rows);
    // About eight bands a thread: small enough to even out, large enough that
    // re-expanding the source rows at each band's start costs little.
    BandQueue bands(rows, std::max(8, rows / (8 * threads)));
    platform::RunOnThreads(
        threads, [&] { ScaleBands(plan, source, destination, bands); }, start);
}

void PrepareScreenPictures(const Bitmap& full, Bitmap& screen, Bitmap& preview) {
    const Rect crop =
        ScreenCropRect({full.width(), full.height()}, {screen.width(), screen.height()});
    Bitmap scratch(crop.width, crop.height);
    const std::size_t bytes = static_cast<std::size_t>(crop.width) * 3;
    for (int y = 0; y < crop.height; ++y)
        std::memcpy(scratch.row(y), full.row(crop.y + y) + std::size_t{3} * crop.x, bytes);
    ScaleBitmap(scratch, screen);
    ScaleBitmap(scratch, preview);
}

}  // namespace dorvane
