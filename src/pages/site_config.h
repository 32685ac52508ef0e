// SPDX-License-Identifier: GPL-3.0-or-later
// The product's web addresses and the online check's DNS server, kept in this one
// place. The page texts in resources/pages carry the same addresses (a test keeps
// the two in step), and the online check asks the DNS for kProductHost.
//
// The site lives under the reserved ".example" domain until the product has a
// domain of its own: nobody else can own it, so the in-window browser can never
// show a stranger's page, and the online check reports "offline" (the local
// resources page is shown) instead.
//
// Two environment variables take the place of these values, for tests and for
// installations that host the page themselves:
//   DORVANE_DNS_SERVER  host or host:port, host an IPv4 or IPv6 literal ([v6]:port)
//   DORVANE_SITE        https://host[:port] or http://host[:port]; a bare host is https
// A malformed value is ignored, with one warning on stderr.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "dns/endpoint.h"

namespace dorvane::pages {

inline constexpr std::string_view kProductHost = "www.dorvane.example";
inline constexpr std::string_view kProductWebSite = "https://www.dorvane.example/";
inline constexpr std::string_view kResourcesPageUrl =
    "https://www.dorvane.example/resources.htm#top";
inline constexpr std::string_view kSupportEmail = "support@dorvane.example";
inline constexpr std::string_view kSupportMailLink = "mailto:support@dorvane.example";

inline constexpr std::string_view kResourcesPagePath = "/resources.htm#top";

// The server the online check asks, port 53. An address, not a name: the check
// cannot look a name up before it knows that the DNS answers. Quad9, a public
// resolver run by a non-profit that keeps no logs of who asked.
inline constexpr std::string_view kDnsServer = "9.9.9.9";
// How long the online check waits for the DNS answer; the window does not repaint
// meanwhile, so it is short. No answer within it counts as offline.
inline constexpr std::chrono::milliseconds kDnsTimeLimit{1500};

// The web site as configured: where the online check asks, what it asks for, and
// which page the in-window viewer opens.
struct SiteConfig {
    dns::Endpoint dnsServer;
    std::string host;              // the name the online check looks up
    std::string resourcesPageUrl;  // e.g. https://www.dorvane.example/resources.htm#top
};

// A web site's base address: "https://host[:port]", "http://host[:port]" (scheme in
// any case, one trailing '/' allowed) or a bare "host[:port]" (https). The host is
// a host name (or an IPv4 address). nullopt for anything else.
struct SiteAddress {
    std::string scheme;  // "https" or "http"
    std::string host;
    std::string port;  // empty for the scheme's own
    std::string base() const { return scheme + "://" + host + (port.empty() ? "" : ":" + port); }
};
std::optional<SiteAddress> ParseSiteAddress(std::string_view text);

// `page` (a page text) with the built-in resources page address replaced by `url`,
// in its links and where it is shown without its "#top".
std::string WithResourcesPageUrl(std::string_view page, std::string_view url);

// Where the About page's "photo credits" link leads: the credits file installed
// beside the program (share/doc/dorvane/CREDITS.md next to its bin folder), as a
// file address, or else the credits page of the web site.
inline constexpr std::string_view kPhotoCreditsPage = "https://www.dorvane.example/credits.htm";
std::string PhotoCreditsAddress(const std::filesystem::path& programFolder);

// The values above with the environment's overrides. `env` reads a variable (null
// when unset); malformed values are reported to `warnings`, one line each.
SiteConfig LoadSiteConfig(const std::function<const char*(const char*)>& env,
                          std::ostream& warnings);

}  // namespace dorvane::pages
