// SPDX-License-Identifier: GPL-3.0-or-later
// Picture decoding, resampling and the base64 codec. bench/run runs these with
// their peers (a bare libjpeg decode here; Pillow and OpenCV in peers.py).
#include <benchmark/benchmark.h>

#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "base/base64.h"
#include "imaging/jpeg.h"
#include "imaging/scale.h"
#include "platform/resources.h"

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

namespace {

using dorvane::imaging::Bitmap;

// Smooth shapes with fine noise, like a photograph; the same for every run.
Bitmap PhotoLike(int width, int height) {
    Bitmap b(width, height);
    std::mt19937 rng(42);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = b.row(y);
        for (int x = 0; x < width; ++x) {
            const double u = x / double(width), v = y / double(height);
            row[3 * x] =
                static_cast<std::uint8_t>(128 + 100 * std::sin(7 * u + 3 * v) + rng() % 16);
            row[3 * x + 1] =
                static_cast<std::uint8_t>(128 + 90 * std::cos(5 * v - 2 * u) + rng() % 16);
            row[3 * x + 2] =
                static_cast<std::uint8_t>(128 + 80 * std::sin(11 * u * v) + rng() % 16);
        }
    }
    return b;
}

// The JPEG bytes of a 1600×1200 built-in photograph, or of a photo-like picture
// encoded at quality 95 while the photographs are not yet in the resources.
const std::vector<std::uint8_t>& PhotoJpeg() {
    static const std::vector<std::uint8_t> bytes = [] {
        if (dorvane::platform::HasResource("RCDATA", "picPhoto1")) {
            const auto r = dorvane::platform::LoadResource("RCDATA", "picPhoto1");
            return std::vector<std::uint8_t>(r.begin(), r.end());
        }
        return dorvane::imaging::EncodeJpeg(PhotoLike(1600, 1200), 95);
    }();
    return bytes;
}

void BM_ScaleBitmap(benchmark::State& state) {
    const Bitmap source = PhotoLike(1600, 900);
    Bitmap destination(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        dorvane::imaging::ScaleBitmap(source, destination);
        benchmark::DoNotOptimize(destination.data());
    }
}
BENCHMARK(BM_ScaleBitmap)
    ->Args({3840, 2160})
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()  // the worker threads' processor time too
    ->UseRealTime();

void BM_DecodeJpeg(benchmark::State& state) {
    const std::vector<std::uint8_t>& bytes = PhotoJpeg();
    Bitmap picture;
    for (auto _ : state) {
        dorvane::imaging::DecodeJpegInto(bytes, "photo", picture);
        benchmark::DoNotOptimize(picture.data());
    }
    state.counters["width"] = picture.width();
}
BENCHMARK(BM_DecodeJpeg)->Unit(benchmark::kMillisecond)->UseRealTime();

// The peer: libjpeg alone, same settings, into one preallocated buffer.
void BM_DecodeJpegBareLibjpeg(benchmark::State& state) {
    const std::vector<std::uint8_t>& bytes = PhotoJpeg();
    std::vector<std::uint8_t> pixels;
    std::vector<JSAMPROW> rows;
    for (auto _ : state) {
        jpeg_decompress_struct info;
        jpeg_error_mgr errors;
        info.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, bytes.data(), bytes.size());
        jpeg_read_header(&info, TRUE);
        info.out_color_space = JCS_RGB;
        info.dct_method = JDCT_ISLOW;
        info.do_block_smoothing = FALSE;
        jpeg_start_decompress(&info);
        const std::size_t stride = info.output_width * 3;
        pixels.resize(stride * info.output_height);
        rows.resize(info.output_height);
        for (JDIMENSION y = 0; y < info.output_height; ++y) rows[y] = pixels.data() + y * stride;
        while (info.output_scanline < info.output_height)
            jpeg_read_scanlines(&info, rows.data() + info.output_scanline,
                                info.output_height - info.output_scanline);
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_DecodeJpegBareLibjpeg)->Unit(benchmark::kMillisecond)->UseRealTime();

std::string RandomBytes(std::size_t n) {
    std::mt19937 rng(7);
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(rng());
    return s;
}

void BM_Base64Encode(benchmark::State& state) {
    const std::string bytes = RandomBytes(1 << 20);
    dorvane::base::MemoryStream input(bytes);
    for (auto _ : state) {
        dorvane::base::MemoryStream output;
        input.seek(0);
        dorvane::base::Base64Encode(input, output);
        benchmark::DoNotOptimize(output.bytes().data());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t{1 << 20});
}
BENCHMARK(BM_Base64Encode)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_Base64Decode(benchmark::State& state) {
    dorvane::base::MemoryStream bytes(RandomBytes(1 << 20)), text;
    dorvane::base::Base64Encode(bytes, text);
    for (auto _ : state) {
        dorvane::base::MemoryStream output;
        text.seek(0);
        dorvane::base::Base64Decode(text, output);
        benchmark::DoNotOptimize(output.bytes().data());
    }
    // Bytes of binary data restored, as for the encoder.
    state.SetBytesProcessed(state.iterations() * std::int64_t{1 << 20});
}
BENCHMARK(BM_Base64Decode)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
