// SPDX-License-Identifier: GPL-3.0-or-later
// The stream codec of the saved boards' preview: RFC 4648 base64 written without
// "=" padding and without line breaks; the decoder takes padded text and text
// broken into lines. An invalid character leaves the rest of its block unread.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/memory_stream.h"

namespace dorvane::base {

inline constexpr std::string_view kBase64Alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Block size in bytes; never below 65,536.
void SetCodecBufferSize(std::int64_t n);
std::int64_t CodecBufferSize();

std::int64_t EncodeBitGroups(MemoryStream& input, MemoryStream& output, std::int64_t count,
                             int lineLength, int padGroup, int bitsPerChar,
                             std::string_view alphabet);
std::int64_t DecodeBitGroups(MemoryStream& input, MemoryStream& output, std::string_view alphabet,
                             int bitsPerChar);

std::int64_t Base64Encode(MemoryStream& input, MemoryStream& output, std::int64_t count = -1,
                          int lineLength = 0);
std::int64_t Base64Decode(MemoryStream& input, MemoryStream& output);

}  // namespace dorvane::base
