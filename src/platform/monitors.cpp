// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/monitors.h"

namespace dorvane::platform {

std::string PrintableMonitorName(const std::string& name) {
    std::string out = name.substr(0, 64);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    return out.empty() ? std::string("?") : out;
}

std::string FormatMonitorList(const std::vector<Monitor>& monitors) {
    std::string text;
    for (const Monitor& m : monitors) {
        const auto sign = [](int v) {
            return (v < 0 ? "-" : "+") + std::to_string(v < 0 ? -static_cast<long long>(v) : v);
        };
        text += PrintableMonitorName(m.name) + '\t' + std::to_string(m.width) + 'x' +
                std::to_string(m.height) + '\t' + sign(m.x) + sign(m.y) + '\t' +
                (m.primary ? "primary" : "secondary") + '\n';
    }
    return text;
}

}  // namespace dorvane::platform
