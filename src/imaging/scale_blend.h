// SPDX-License-Identifier: GPL-3.0-or-later
// BlendRow in 16-bit lanes, internal to scale_blend_sse2.cpp and
// scale_blend_avx2.cpp. Each instantiates the kernel for its own vectors with its
// own compiler flags, hence the unnamed namespace: no instantiation may be
// shared between them.
//
// With A0 = aValue, dA = aDelta, B0 = bValue, dB = bDelta, F = fy − 32768,
// A2 = a2 − 32768 and B2 = b2 − 32768 (each within 16 bits, as are the
// differences and A1 + B1 = A0 + dA + B0 + dB ≤ 510),
//   A0·65536 + B0 + (B0 − A0)·fy + dA·a2 + dB·b2
//     = B0 + (B0 − A0)·F + dA·A2 + dB·B2 + 32768·(A1 + B1)
// exactly, which is two 16-bit multiply-adds a channel:
// (B0 − A0, dA)·(F, A2) + (dB, −(A1 + B1))·(B2, −32768).
// The weights come from fx and fy in 16-bit halves, p = f·fy = hi·65536 + lo:
//   a2 = f − hi − [lo + 32767 carries] = f − hi − [lo > 32768]
//   b2 = hi + the carries of lo + f + 32768 (0, 1 or 2).
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/scale_plan.h"

namespace dorvane::imaging::detail {
namespace {

// The plain loop, for the row's last few channels.
void BlendTail(const ScalePlan& plan, std::size_t from, const std::int16_t* aValue,
               const std::int16_t* aDelta, const std::int16_t* bValue, const std::int16_t* bDelta,
               std::uint32_t fy, std::uint8_t* out) {
    for (std::size_t k = from; k < plan.fx.size(); ++k) {
        const std::uint32_t f = plan.fx[k];
        const std::uint32_t p = f * fy;
        const std::uint32_t a2 = f - ((p + 32767) >> 16);
        const std::uint32_t b2 = (p + f + 32768) >> 16;
        const auto ea = static_cast<std::uint32_t>(static_cast<std::int32_t>(aValue[k]));
        const auto eb = static_cast<std::uint32_t>(static_cast<std::int32_t>(bValue[k]));
        const auto da = static_cast<std::uint32_t>(static_cast<std::int32_t>(aDelta[k]));
        const auto db = static_cast<std::uint32_t>(static_cast<std::int32_t>(bDelta[k]));
        const std::uint32_t sum = (ea << 16) + eb + (eb - ea) * fy + da * a2 + db * b2;
        out[k] = static_cast<std::uint8_t>(sum >> 16);
    }
}

// Half of the lanes' sums >> 16 in 32 bits; Interleave picks the low or the high
// 16-bit lanes (of each 128-bit lane) and pairs them up.
template <typename V, typename Interleave>
[[gnu::always_inline]] inline typename V::Vec Half(Interleave interleave, typename V::Vec b0,
                                                   typename V::Vec vertical, typename V::Vec da,
                                                   typename V::Vec db, typename V::Vec rights,
                                                   typename V::Vec bigF, typename V::Vec bigA2,
                                                   typename V::Vec bigB2) {
    const typename V::Vec s1 = V::MulAdd(interleave(vertical, da), interleave(bigF, bigA2));
    const typename V::Vec s2 =
        V::MulAdd(interleave(db, rights), interleave(bigB2, V::Set16(-32768)));
    return V::Top16Of32(V::Add32(interleave(b0, V::Zero()), V::Add32(s1, s2)));
}

template <typename V>
[[gnu::always_inline]] inline void BlendPairs(const ScalePlan& plan, const std::int16_t* aValue,
                                              const std::int16_t* aDelta,
                                              const std::int16_t* bValue,
                                              const std::int16_t* bDelta, std::uint32_t fy,
                                              std::uint8_t* out) {
    using Vec = typename V::Vec;
    const Vec fyv = V::Set16(static_cast<int>(fy)), sign = V::Set16(0x8000);
    const Vec bigF = V::Set16(static_cast<int>(fy) - 32768), zero = V::Zero();
    const std::size_t n = plan.fx.size();
    std::size_t k = 0;
    for (; k + V::kLanes <= n; k += V::kLanes) {
        const Vec f = V::Load(&plan.fx16[k]);
        const Vec hi = V::MulHighUnsigned16(f, fyv), lo = V::MulLow16(f, fyv);
        const Vec loSigned = V::Xor(lo, sign);
        // −1 where lo > 32768: a2 = f − hi − 1 there.
        const Vec a2 = V::Add16(V::Sub16(f, hi), V::Greater16(loSigned, zero));
        // lo + f carried where t < lo (unsigned): −1 there; t + 32768 carries
        // where t ≥ 32768, its top bit.
        const Vec t = V::Add16(lo, f);
        const Vec carried = V::Greater16(loSigned, V::Xor(t, sign));
        const Vec b2 = V::Add16(V::Sub16(hi, carried), V::TopBit16(t));
        const Vec bigA2 = V::Xor(a2, sign), bigB2 = V::Xor(b2, sign);

        const Vec a0 = V::Load(aValue + k), da = V::Load(aDelta + k);
        const Vec b0 = V::Load(bValue + k), db = V::Load(bDelta + k);
        const Vec vertical = V::Sub16(b0, a0);
        const Vec rights = V::Sub16(zero, V::Add16(V::Add16(a0, da), V::Add16(b0, db)));
        const auto low = [](Vec x, Vec y) { return V::Low(x, y); };
        const auto high = [](Vec x, Vec y) { return V::High(x, y); };
        const Vec first = Half<V>(low, b0, vertical, da, db, rights, bigF, bigA2, bigB2);
        const Vec second = Half<V>(high, b0, vertical, da, db, rights, bigF, bigA2, bigB2);
        V::StoreBytes(out + k, V::Pack32(first, second));
    }
    BlendTail(plan, k, aValue, aDelta, bValue, bDelta, fy, out);
}

}  // namespace
}  // namespace dorvane::imaging::detail
