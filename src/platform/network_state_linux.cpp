// SPDX-License-Identifier: GPL-3.0-or-later
// The connection check on Linux: the kernel's route tables and interface flags.
#include <ifaddrs.h>
#include <net/if.h>

#include <fstream>
#include <memory>
#include <string>

#include "platform/network_state.h"

namespace dorvane::platform {
namespace {

constexpr unsigned kRouteUp = 0x0001;      // RTF_UP
constexpr unsigned kRouteReject = 0x0200;  // RTF_REJECT: an "unreachable" route

// Splits a line into its blank-separated fields (at most `max`).
std::size_t Fields(std::string_view line, std::string_view* out, std::size_t max) {
    std::size_t n = 0;
    while (n < max) {
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string_view::npos) break;
        line.remove_prefix(start);
        const std::size_t end = line.find_first_of(" \t");
        out[n++] = line.substr(0, end);
        if (end == std::string_view::npos) break;
        line.remove_prefix(end);
    }
    return n;
}

unsigned Hex(std::string_view s) {
    unsigned v = 0;
    for (char c : s.substr(0, 8)) {
        const int d = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
        if (d < 0) return 0;
        v = v * 16 + static_cast<unsigned>(d);
    }
    return v;
}

bool AllZero(std::string_view s) {
    return !s.empty() && s.find_first_not_of('0') == s.npos;
}

template <typename Each>
void ForEachLine(std::string_view text, Each each) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        each(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
}

std::string ReadSmallFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::string text(1 << 20, '\0');  // route tables are small; never read more
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

bool InterfaceUp(std::string_view name) {
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) return false;
    const std::unique_ptr<ifaddrs, void (*)(ifaddrs*)> owner(list, ::freeifaddrs);
    for (const ifaddrs* i = list; i; i = i->ifa_next) {
        if (!i->ifa_name || name != i->ifa_name) continue;
        const unsigned f = i->ifa_flags;
        if ((f & IFF_UP) && (f & IFF_RUNNING) && !(f & IFF_LOOPBACK)) return true;
    }
    return false;
}

}  // namespace

bool HasDefaultRoute(std::string_view ipv4Routes, std::string_view ipv6Routes,
                     const std::function<bool(std::string_view name)>& interfaceUp) {
    bool found = false;
    // Iface Destination Gateway Flags RefCnt Use Metric Mask ... (one header line)
    ForEachLine(ipv4Routes, [&](std::string_view line) {
        std::string_view f[8];
        if (found || Fields(line, f, 8) < 8 || f[0] == "Iface") return;
        const unsigned flags = Hex(f[3]);
        if (AllZero(f[1]) && AllZero(f[7]) && (flags & kRouteUp) && !(flags & kRouteReject) &&
            f[0] != "lo" && interfaceUp(f[0]))
            found = true;
    });
    // Destination PrefixLength Source SourcePrefix NextHop Metric RefCnt Use Flags Iface
    ForEachLine(ipv6Routes, [&](std::string_view line) {
        std::string_view f[10];
        if (found || Fields(line, f, 10) < 10) return;
        const unsigned flags = Hex(f[8]);
        if (f[0].size() == 32 && AllZero(f[0]) && AllZero(f[1]) && (flags & kRouteUp) &&
            !(flags & kRouteReject) && f[9] != "lo" && interfaceUp(f[9]))
            found = true;
    });
    return found;
}

bool SystemNetworkState::connectionUp() {
    return HasDefaultRoute(ReadSmallFile("/proc/net/route"), ReadSmallFile("/proc/net/ipv6_route"),
                           InterfaceUp);
}

}  // namespace dorvane::platform
