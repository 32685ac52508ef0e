// SPDX-License-Identifier: GPL-3.0-or-later
// The configured site and DNS server, with the environment's overrides.
#include "pages/site_config.h"

#include <QString>
#include <QUrl>
#include <algorithm>

#include "dns/dns_message.h"

namespace dorvane::pages {
namespace {

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), s.begin(), [](char a, char b) {
               return a == (b >= 'A' && b <= 'Z' ? static_cast<char>(b - 'A' + 'a') : b);
           });
}

bool IsPort(std::string_view s) {
    if (s.empty() || s.size() > 5 || s.find_first_not_of("0123456789") != s.npos) return false;
    const int v = std::stoi(std::string(s));
    return v >= 1 && v <= 65535;
}

// The value as it may be shown in one line of a warning.
std::string Printable(std::string_view s) {
    std::string out;
    for (char c : s.substr(0, 80)) out += (c >= 0x20 && c < 0x7F) ? c : '?';
    return s.size() > 80 ? out + "..." : out;
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    std::string out;
    std::size_t done = 0;
    for (std::size_t at; (at = text.find(from, done)) != std::string::npos; done = at + from.size())
        out.append(text, done, at - done).append(to);
    text = out.append(text, done);
}

std::string_view WithoutFragment(std::string_view url) {
    return url.substr(0, url.find('#'));
}

}  // namespace

std::string WithResourcesPageUrl(std::string_view page, std::string_view url) {
    std::string text(page);
    if (url == kResourcesPageUrl) return text;
    ReplaceAll(text, kResourcesPageUrl, url);
    ReplaceAll(text, WithoutFragment(kResourcesPageUrl), WithoutFragment(url));
    return text;
}

std::optional<SiteAddress> ParseSiteAddress(std::string_view text) {
    SiteAddress a{"https", "", ""};
    for (std::string_view scheme : {"https", "http"}) {
        const std::string prefix = std::string(scheme) + "://";
        if (StartsWithNoCase(text, prefix)) {
            a.scheme = scheme;
            text.remove_prefix(prefix.size());
            break;
        }
    }
    if (text.ends_with('/')) text.remove_suffix(1);
    const std::size_t colon = text.find(':');
    std::string_view host = text.substr(0, colon);
    if (colon != std::string_view::npos) {
        const std::string_view port = text.substr(colon + 1);
        if (!IsPort(port)) return std::nullopt;
        a.port = port;
    }
    if (host.ends_with('.')) return std::nullopt;
    if (!dns::IsValidHostName(host)) return std::nullopt;
    a.host = host;
    return a;
}

std::string PhotoCreditsAddress(const std::filesystem::path& programFolder) {
    const std::filesystem::path file =
        programFolder.parent_path() / "share" / "doc" / "dorvane" / "CREDITS.md";
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return std::string(kPhotoCreditsPage);
    return QUrl::fromLocalFile(QString::fromStdString(file.lexically_normal().string()))
        .toString(QUrl::FullyEncoded)
        .toStdString();
}

SiteConfig LoadSiteConfig(const std::function<const char*(const char*)>& env,
                          std::ostream& warnings) {
    SiteConfig c{*dns::ParseEndpoint(kDnsServer), std::string(kProductHost),
                 std::string(kResourcesPageUrl)};
    if (const char* v = env("DORVANE_DNS_SERVER")) {
        if (const auto server = dns::ParseEndpoint(v))
            c.dnsServer = *server;
        else
            warnings << "dorvane: DORVANE_DNS_SERVER \"" << Printable(v)
                     << "\" is not an IP address with an optional port; ignored\n";
    }
    if (const char* v = env("DORVANE_SITE")) {
        if (const auto site = ParseSiteAddress(v)) {
            c.host = site->host;
            c.resourcesPageUrl = site->base() + std::string(kResourcesPagePath);
        } else {
            warnings << "dorvane: DORVANE_SITE \"" << Printable(v)
                     << "\" is not https://host[:port] or http://host[:port]; ignored\n";
        }
    }
    return c;
}

}  // namespace dorvane::pages
