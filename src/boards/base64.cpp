// SPDX-License-Identifier: GPL-3.0-or-later
// The codec works block by block (CodecBufferSize bytes) with bounded memory.
// Each block runs a general loop that follows the bit accumulator exactly, and
// for base64 a fast path over whole 3-byte / 4-character groups that gives the
// same output whenever no bits are pending.
#include "boards/base64.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "platform/error.h"

namespace dorvane {
namespace {

constexpr std::int64_t kMinBufferSize = 65536;
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
    }

    // Encodes one block into out (which the caller sized for the worst case);
    // returns the number of characters written.
    std::size_t Block(const std::uint8_t* in, std::size_t n, char* out) {
        char* o = out;
        std::size_t i = 0;
        while (i < n && (state_.pending != 0 || !fast_)) o = Byte(in[i++], o);
        if (fast_ && state_.pending == 0) {  // pending bits remain only when i == n
            const char* a = alphabet_.data();
            for (; i + 3 <= n; i += 3) {
                const std::uint32_t v =
                    (std::uint32_t{in[i]} << 16) | (std::uint32_t{in[i + 1]} << 8) | in[i + 2];
                o[0] = a[v >> 18];
                o[1] = a[(v >> 12) & 63];
                o[2] = a[(v >> 6) & 63];
                o[3] = a[v & 63];
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
};

// Worst-case characters of one block: ⌈8·d / b⌉ plus the line breaks they can fill.
std::size_t EncodedCapacity(std::size_t d, int bitsPerChar, int lineLength) {
    const std::size_t chars = (8 * d + static_cast<std::size_t>(bitsPerChar) - 1) /
                                  static_cast<std::size_t>(bitsPerChar) +
                              1;
    if (lineLength <= 0) return chars;
    return chars + 2 * (chars / static_cast<std::size_t>(lineLength) + 1);
}

constexpr std::uint8_t kInvalid = 0xFF;
constexpr std::uint8_t kLineBreak = 0xFE;

class BlockDecoder {
public:
    BlockDecoder(std::string_view alphabet, int bitsPerChar) : bits_(bitsPerChar) {
        // The reverse table: alphabet position + 1, 0 for other characters.
        reverse_.fill(0);
        for (std::size_t p = 0; p < alphabet.size() && p < 65535; ++p)
            reverse_[static_cast<std::uint8_t>(alphabet[p])] = static_cast<std::uint16_t>(p + 1);
        // The fast path's table: the 6-bit value, or a marker for anything else.
        fast_ = bitsPerChar == 6;
        for (std::size_t c = 0; c < 256; ++c) {
            const std::uint16_t e = reverse_[c];
            fast_table_[c] = (e != 0 && e <= 64) ? static_cast<std::uint8_t>(e - 1) : kInvalid;
            if (e > 64) fast_ = false;  // values above 6 bits: only the exact loop
            if (e == 0 && (c == '\r' || c == '\n')) fast_table_[c] = kLineBreak;
        }
    }

    std::size_t Block(const std::uint8_t* in, std::size_t n, std::uint8_t* out) {
        std::uint8_t* o = out;
        for (std::size_t i = 0; i < n;) {
            if (fast_ && pending_ == 0) {
                while (i + 4 <= n) {
                    const std::uint32_t a = fast_table_[in[i]], b = fast_table_[in[i + 1]],
                                        c = fast_table_[in[i + 2]], d = fast_table_[in[i + 3]];
                    if ((a | b | c | d) & 0x80) break;
                    const std::uint32_t v = (a << 18) | (b << 12) | (c << 6) | d;
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
    std::array<std::uint8_t, 256> fast_table_{};
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
    std::vector<std::uint8_t> in(d);
    std::vector<char> out(EncodedCapacity(d, bitsPerChar, lineLength));
    BlockEncoder encoder(lineLength, bitsPerChar, alphabet);
    std::int64_t left = count;
    for (;;) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(left, d));
        const std::size_t got = input.read(in.data(), want);
        left -= static_cast<std::int64_t>(got);
        output.write(out.data(), encoder.Block(in.data(), got, out.data()));
        if (got < d) break;
    }
    const std::string tail = encoder.Finish(padGroup);
    output.write(tail.data(), tail.size());
    return encoder.Emitted();
}

std::int64_t DecodeBitGroups(MemoryStream& input, MemoryStream& output, std::string_view alphabet,
                             int bitsPerChar) {
    CheckArguments(bitsPerChar, alphabet, false);
    BlockDecoder decoder(alphabet, bitsPerChar);
    const auto remaining = static_cast<std::int64_t>(input.size() - input.position());
    const std::size_t d = BlockLength(remaining);
    std::vector<std::uint8_t> in(d);
    // A block of d characters yields at most ⌈d·b / 8⌉ bytes, plus pending bits.
    std::vector<std::uint8_t> out(d * static_cast<std::size_t>(bitsPerChar) / 8 + 4);
    std::int64_t total = 0;
    for (;;) {
        const std::size_t got = input.read(in.data(), d);
        const std::size_t made = decoder.Block(in.data(), got, out.data());
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

}  // namespace dorvane
