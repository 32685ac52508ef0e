// SPDX-License-Identifier: GPL-3.0-or-later
// The connection check's rule over the kernel's route tables.
#include "platform/network_state.h"

#include <gtest/gtest.h>

#include <string>

namespace dorvane::platform {
namespace {

const std::string kHeader =
    "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";

std::string V4(const char* iface, const char* dest, const char* flags, const char* mask) {
    return std::string(iface) + "\t" + dest + "\t010200C0\t" + flags + "\t0\t0\t0\t" + mask +
           "\t0\t0\t0\n";
}

std::string V6(const char* dest, const char* plen, const char* flags, const char* iface) {
    return std::string(dest) + " " + plen +
           " 00000000000000000000000000000000 00 fd000000000000000000000000000001 00000400 "
           "00000002 00000000 " +
           flags + "     " + iface + "\n";
}

TEST(HasDefaultRoute, NeedsADefaultRouteThroughAnUpInterface) {
    const char* zero6 = "00000000000000000000000000000000";
    const auto up = [](std::string_view n) { return n == "eth0" || n == "wlan0"; };
    struct Row {
        const char* what;
        std::string v4, v6;
        bool online;
    };
    const Row rows[] = {
        {"IPv4 default via eth0", kHeader + V4("eth0", "00000000", "0003", "00000000"), "", true},
        {"only a local network route", kHeader + V4("eth0", "000200C0", "0001", "00FFFFFF"), "",
         false},
        {"default route not up", kHeader + V4("eth0", "00000000", "0002", "00000000"), "", false},
        {"default route rejects", kHeader + V4("eth0", "00000000", "0201", "00000000"), "", false},
        {"default through an interface that is down",
         kHeader + V4("eth1", "00000000", "0003", "00000000"), "", false},
        {"default through the loopback", kHeader + V4("lo", "00000000", "0003", "00000000"), "",
         false},
        {"IPv6 default via wlan0", kHeader, V6(zero6, "00", "00000003", "wlan0"), true},
        {"IPv6 unreachable default on lo", kHeader, V6(zero6, "00", "00200200", "lo"), false},
        {"IPv6 prefix, not a default", kHeader,
         V6("fd000000000000000000000000000000", "40", "00000001", "eth0"), false},
        {"no tables at all", "", "", false},
        {"cut-off lines", "eth0\t00000000\t0102", "0000000000 00 00", false},
    };
    for (const Row& r : rows) EXPECT_EQ(HasDefaultRoute(r.v4, r.v6, up), r.online) << r.what;
}

}  // namespace
}  // namespace dorvane::platform
