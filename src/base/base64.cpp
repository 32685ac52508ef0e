// SPDX-License-Identifier: GPL-3.0-or-later
// The codec works block by block (CodecBufferSize bytes) with bounded memory.
// Each block runs a general loop that follows the bit accumulator exactly, and
// for base64 a fast path over whole 3-byte / 4-character groups that gives the
// same output whenever no bits are pending.
#include "base/base64.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/error.h"

namespace dorvane::base {
namespace {

constexpr std::int64_t kMinBufferSize = 65536;

// x with its bytes in big-endian order, as the bit groups read them.
std::uint64_t BigEndian(std::uint64_t x) {
    if constexpr (std::endian::native == std::endian::little) return __builtin_bswap64(x);
    return x;
}
std::int64_t gBufferSize = kMinBufferSize;

void CheckArguments(int bitsPerChar, std::string_view alphabet, bool encoding) {
    // The accumulator is 32 bits wide; up to 16 bits a character leaves room.
    if (bitsPerChar < 1 || bitsPerChar > 16)
        throw Error("Cannot use " + std::to_string(bitsPerChar) + " bits per character");
    if (encoding && alphabet.size() < (std::size_t{1} << bitsPerChar))
        throw Error("The alphabet has too few characters for " + std::to_string(bitsPerChar) +
                    " bits per character");
}

// The block length of one call: the buffer size, or the whole input and one more
// byte when that is smaller (so that the first read already comes up short).
std::size_t BlockLength(std::int64_t count) {
    return static_cast<std::size_t>(count < gBufferSize ? count + 1 : gBufferSize);
}

struct EncoderState {
    std::uint32_t accumulator = 0;
    int pending = 0;
    int lineLeft = 0;
    std::int64_t emitted = 0;
    std::int64_t breaks = 0;
};

class BlockEncoder {
public:
    BlockEncoder(int lineLength, int bitsPerChar, std::string_view alphabet)
        : lineLength_(lineLength), bits_(bitsPerChar), alphabet_(alphabet) {
        state_.lineLeft = lineLength;
        fast_ = bitsPerChar == 6 && lineLength <= 0;
        if (fast_)
            for (std::uint32_t v = 0; v < 4096; ++v) {
                pairs_[v][0] = alphabet[v >> 6];
                pairs_[v][1] = alphabet[v & 63];
            }
    }

    // Encodes one block into out (which the caller sized for the worst case);
    // returns the number of characters written.
    std::size_t Block(const std::uint8_t* in, std::size_t n, char* out) {
        char* o = out;
        std::size_t i = 0;
        while (i < n && (state_.pending != 0 || !fast_)) o = Byte(in[i++], o);
        if (fast_ && state_.pending == 0) {  // pending bits remain only when i == n
            // Three bytes make two 12-bit halves, each two characters from the table;
            // six at a time from one 8-byte load while at least 8 bytes remain.
            for (; i + 8 <= n; i += 6) {
                std::uint64_t x;
                std::memcpy(&x, in + i, 8);
                x = BigEndian(x);
                const auto v1 = static_cast<std::uint32_t>(x >> 40);
                const auto v2 = static_cast<std::uint32_t>(x >> 16) & 0xFFFFFF;
                std::memcpy(o, pairs_[v1 >> 12], 2);
                std::memcpy(o + 2, pairs_[v1 & 0xFFF], 2);
                std::memcpy(o + 4, pairs_[v2 >> 12], 2);
                std::memcpy(o + 6, pairs_[v2 & 0xFFF], 2);
                o += 8;
            }
            for (; i + 3 <= n; i += 3) {
                const std::uint32_t v =
                    (std::uint32_t{in[i]} << 16) | (std::uint32_t{in[i + 1]} << 8) | in[i + 2];
                std::memcpy(o, pairs_[v >> 12], 2);
                std::memcpy(o + 2, pairs_[v & 0xFFF], 2);
                o += 4;
            }
            state_.accumulator = 0;
            while (i < n) o = Byte(in[i++], o);
        }
        state_.emitted += o - out;
        return static_cast<std::size_t>(o - out);
    }

    // The pending bits followed by zero bits, then the padding; returns the tail.
    std::string Finish(int padGroup) {
        std::string tail;
        if (state_.pending > 0)
            tail += alphabet_[(state_.accumulator << (bits_ - state_.pending)) & Mask()];
        state_.emitted += static_cast<std::int64_t>(tail.size());
        if (padGroup > 0)
            while ((state_.emitted - state_.breaks) % padGroup != 0) {
                tail += '=';
                ++state_.emitted;
            }
        return tail;
    }

    std::int64_t Emitted() const { return state_.emitted; }

private:
    std::uint32_t Mask() const { return (std::uint32_t{1} << bits_) - 1; }

    char* Byte(std::uint8_t v, char* o) {
        state_.accumulator = (state_.accumulator << 8) | v;
        state_.pending += 8;
        while (state_.pending >= bits_) {
            state_.pending -= bits_;
            *o++ = alphabet_[(state_.accumulator >> state_.pending) & Mask()];
            if (lineLength_ > 0 && --state_.lineLeft == 0) {
                *o++ = '\r';
                *o++ = '\n';
                state_.breaks += 2;
                state_.lineLeft = lineLength_;
            }
        }
        state_.accumulator &= (std::uint32_t{1} << state_.pending) - 1;
        return o;
    }

    int lineLength_;
    int bits_;
    std::string_view alphabet_;
    bool fast_;
    EncoderState state_;
    char pairs_[4096][2] = {};  // the two characters of every 12-bit value
};

// Worst-case characters of one block: ⌈8·d / b⌉ plus the line breaks they can fill.
std::size_t EncodedCapacity(std::size_t d, int bitsPerChar, int lineLength) {
    const std::size_t chars = (8 * d + static_cast<std::size_t>(bitsPerChar) - 1) /
                                  static_cast<std::size_t>(bitsPerChar) +
                              1;
    if (lineLength <= 0) return chars;
    return chars + 2 * (chars / static_cast<std::size_t>(lineLength) + 1);
}

// A character outside the fast path's alphabet sets this bit in every table.
constexpr std::uint32_t kNotFast = 1u << 24;

class BlockDecoder {
public:
    BlockDecoder(std::string_view alphabet, int bitsPerChar) : bits_(bitsPerChar) {
        // The reverse table: alphabet position + 1, 0 for other characters.
        reverse_.fill(0);
        for (std::size_t p = 0; p < alphabet.size() && p < 65535; ++p)
            reverse_[static_cast<std::uint8_t>(alphabet[p])] = static_cast<std::uint16_t>(p + 1);
        // The fast path's tables: a character's 6-bit value already shifted to its
        // place in a group of four, or kNotFast for anything else (CR and LF too).
        fast_ = bitsPerChar == 6;
        for (std::size_t c = 0; c < 256; ++c) {
            const std::uint16_t e = reverse_[c];
            if (e > 64) fast_ = false;  // values above 6 bits: only the exact loop
            const std::uint32_t v = e - 1u;
            for (int place = 0; place < 4; ++place)
                fast_table_[place][c] = e != 0 ? v << (18 - 6 * place) : kNotFast;
        }
    }

    std::size_t Block(const std::uint8_t* in, std::size_t n, std::uint8_t* out) {
        std::uint8_t* o = out;
        for (std::size_t i = 0; i < n;) {
            if (fast_ && pending_ == 0) {
                // Eight characters at a time give six bytes, written as one 8-byte
                // store (the output buffer has room past its end for the extra two).
                while (i + 8 <= n) {
                    const std::uint32_t v = fast_table_[0][in[i]] | fast_table_[1][in[i + 1]] |
                                            fast_table_[2][in[i + 2]] | fast_table_[3][in[i + 3]];
                    const std::uint32_t w = fast_table_[0][in[i + 4]] | fast_table_[1][in[i + 5]] |
                                            fast_table_[2][in[i + 6]] | fast_table_[3][in[i + 7]];
                    if ((v | w) & kNotFast) break;
                    const std::uint64_t stored =
                        BigEndian((std::uint64_t{v} << 40) | (std::uint64_t{w} << 16));
                    std::memcpy(o, &stored, 8);
                    o += 6;
                    i += 8;
                }
                while (i + 4 <= n) {
                    const std::uint32_t v = fast_table_[0][in[i]] | fast_table_[1][in[i + 1]] |
                                            fast_table_[2][in[i + 2]] | fast_table_[3][in[i + 3]];
                    if (v & kNotFast) break;
                    o[0] = static_cast<std::uint8_t>(v >> 16);
                    o[1] = static_cast<std::uint8_t>(v >> 8);
                    o[2] = static_cast<std::uint8_t>(v);
                    o += 3;
                    i += 4;
                }
                accumulator_ = 0;
                if (i >= n) break;
            }
            const std::uint8_t ch = in[i++];
            const std::uint16_t e = reverse_[ch];
            if (e != 0) {
                accumulator_ = (accumulator_ << bits_) | (e - 1u);
                pending_ += bits_;
                while (pending_ >= 8) {
                    pending_ -= 8;
                    *o++ = static_cast<std::uint8_t>(accumulator_ >> pending_);
                }
            } else if (ch != '\r' && ch != '\n') {
                break;  // an invalid character: the rest of this block is left unread
            }
        }
        return static_cast<std::size_t>(o - out);
    }

private:
    int bits_;
    bool fast_;
    std::uint32_t accumulator_ = 0;
    int pending_ = 0;
    std::array<std::uint16_t, 256> reverse_{};
    std::uint32_t fast_table_[4][256] = {};
};

}  // namespace

void SetCodecBufferSize(std::int64_t n) {
    gBufferSize = std::max(n, kMinBufferSize);
}

std::int64_t CodecBufferSize() {
    return gBufferSize;
}

std::int64_t EncodeBitGroups(MemoryStream& input, MemoryStream& output, std::int64_t count,
                             int lineLength, int padGroup, int bitsPerChar,
                             std::string_view alphabet) {
    CheckArguments(bitsPerChar, alphabet, true);
    if (count == 0) return 0;
    const auto remaining = static_cast<std::int64_t>(input.size() - input.position());
    // A positive count is honoured: only that many bytes are encoded.
    count = count < 0 ? remaining : std::min(count, remaining);
    const std::size_t d = BlockLength(count);
    std::vector<char> out(EncodedCapacity(d, bitsPerChar, lineLength));
    const auto bytes = static_cast<std::size_t>(count);
    output.reserve(EncodedCapacity(bytes, bitsPerChar, lineLength) +
                   static_cast<std::size_t>(std::max(padGroup, 0)));
    auto encoder = std::make_unique<BlockEncoder>(lineLength, bitsPerChar, alphabet);
    std::int64_t left = count;
    for (;;) {
        // Each block is read in place: the same bytes a read into a buffer would give.
        const std::size_t got =
            std::min(static_cast<std::size_t>(std::min<std::int64_t>(left, d)), input.remaining());
        const std::uint8_t* in = input.current();
        input.seek(input.position() + got);
        left -= static_cast<std::int64_t>(got);
        output.write(out.data(), encoder->Block(in, got, out.data()));
        if (got < d) break;
    }
    const std::string tail = encoder->Finish(padGroup);
    output.write(tail.data(), tail.size());
    return encoder->Emitted();
}

std::int64_t DecodeBitGroups(MemoryStream& input, MemoryStream& output, std::string_view alphabet,
                             int bitsPerChar) {
    CheckArguments(bitsPerChar, alphabet, false);
    auto decoder = std::make_unique<BlockDecoder>(alphabet, bitsPerChar);
    const auto remaining = static_cast<std::int64_t>(input.size() - input.position());
    const std::size_t d = BlockLength(remaining);
    // A block of d characters yields at most ⌈d·b / 8⌉ bytes, plus pending bits.
    std::vector<std::uint8_t> out(d * static_cast<std::size_t>(bitsPerChar) / 8 + 8);
    output.reserve(static_cast<std::size_t>(remaining) * static_cast<std::size_t>(bitsPerChar) / 8 +
                   1);
    std::int64_t total = 0;
    for (;;) {
        const std::size_t got = std::min(d, input.remaining());
        const std::uint8_t* in = input.current();
        input.seek(input.position() + got);
        const std::size_t made = decoder->Block(in, got, out.data());
        output.write(out.data(), made);
        total += static_cast<std::int64_t>(made);
        if (got < d) break;
    }
    return total;
}

std::int64_t Base64Encode(MemoryStream& input, MemoryStream& output, std::int64_t count,
                          int lineLength) {
    return EncodeBitGroups(input, output, count, lineLength, 0, 6, kBase64Alphabet);
}

std::int64_t Base64Decode(MemoryStream& input, MemoryStream& output) {
    return DecodeBitGroups(input, output, kBase64Alphabet, 6);
}

}  // namespace dorvane::base
