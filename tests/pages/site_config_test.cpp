// SPDX-License-Identifier: GPL-3.0-or-later
// The site's configuration and the environment's overrides.
#include "pages/site_config.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace dorvane::pages {
namespace {

struct Loaded {
    SiteConfig config;
    std::string warnings;
};

Loaded Load(const std::map<std::string, std::string>& env) {
    std::ostringstream warnings;
    SiteConfig c = LoadSiteConfig(
        [&env](const char* name) {
            const auto it = env.find(name);
            return it == env.end() ? nullptr : it->second.c_str();
        },
        warnings);
    return {c, warnings.str()};
}

TEST(SiteConfig, DefaultsWithoutOverrides) {
    const Loaded l = Load({});
    EXPECT_EQ(l.config.dnsServer.toString(), "9.9.9.9:53");
    EXPECT_EQ(l.config.host, "www.dorvane.example");
    EXPECT_EQ(l.config.resourcesPageUrl, std::string(kResourcesPageUrl));
    EXPECT_EQ(l.warnings, "");
}

TEST(SiteConfig, SiteOverride) {
    struct Row {
        const char* value;
        const char* host;  // null: ignored with a warning
        const char* page;
    };
    const Row rows[] = {
        {"https://goals.example.org", "goals.example.org",
         "https://goals.example.org/resources.htm#top"},
        {"HTTP://127.0.0.1:8080/", "127.0.0.1", "http://127.0.0.1:8080/resources.htm#top"},
        {"known.test:8443", "known.test", "https://known.test:8443/resources.htm#top"},
        {"localhost", "localhost", "https://localhost/resources.htm#top"},
        {"https://host/path", nullptr, nullptr},
        {"ftp://host", nullptr, nullptr},
        {"https://", nullptr, nullptr},
        {"https://user@host", nullptr, nullptr},
        {"https://host:0", nullptr, nullptr},
        {"https://host:99999", nullptr, nullptr},
        {"https://[::1]:8080", nullptr, nullptr},
        {"http://host.//", nullptr, nullptr},
        {"", nullptr, nullptr},
    };
    for (const Row& r : rows) {
        const Loaded l = Load({{"DORVANE_SITE", r.value}});
        if (r.host) {
            EXPECT_EQ(l.config.host, r.host) << r.value;
            EXPECT_EQ(l.config.resourcesPageUrl, r.page) << r.value;
            EXPECT_EQ(l.warnings, "") << r.value;
        } else {
            EXPECT_EQ(l.config.host, "www.dorvane.example") << r.value;
            EXPECT_EQ(l.config.resourcesPageUrl, std::string(kResourcesPageUrl)) << r.value;
            EXPECT_EQ(std::count(l.warnings.begin(), l.warnings.end(), '\n'), 1) << r.value;
            EXPECT_NE(l.warnings.find("DORVANE_SITE"), std::string::npos) << r.value;
        }
    }
}

TEST(SiteConfig, DnsServerOverride) {
    EXPECT_EQ(Load({{"DORVANE_DNS_SERVER", "127.0.0.1:5353"}}).config.dnsServer.toString(),
              "127.0.0.1:5353");
    EXPECT_EQ(Load({{"DORVANE_DNS_SERVER", "::1"}}).config.dnsServer.toString(), "[::1]:53");
    // Malformed: the default stays, one warning line that shows the value safely.
    const Loaded l = Load({{"DORVANE_DNS_SERVER", "dns.example\n\x1b[31m:53"}});
    EXPECT_EQ(l.config.dnsServer.toString(), "9.9.9.9:53");
    EXPECT_EQ(l.warnings,
              "dorvane: DORVANE_DNS_SERVER \"dns.example??[31m:53\" is not an IP address with an "
              "optional port; ignored\n");
    // Both malformed: one line each.
    const Loaded both = Load({{"DORVANE_DNS_SERVER", "x"}, {"DORVANE_SITE", "a b"}});
    EXPECT_EQ(std::count(both.warnings.begin(), both.warnings.end(), '\n'), 2);
}

// The credits file installed beside the program, else the web site's page.
TEST(SiteConfig, PhotoCreditsFromTheInstalledFileElseTheSite) {
    const QTemporaryDir dir;
    const std::filesystem::path root = dir.path().toStdString();
    std::filesystem::create_directories(root / "usr/bin");
    EXPECT_EQ(PhotoCreditsAddress(root / "usr/bin"), kPhotoCreditsPage);
    std::filesystem::create_directories(root / "usr/share/doc/dorvane/CREDITS.md");
    EXPECT_EQ(PhotoCreditsAddress(root / "usr/bin"), kPhotoCreditsPage);  // a folder
    std::filesystem::remove(root / "usr/share/doc/dorvane/CREDITS.md");
    std::ofstream(root / "usr/share/doc/dorvane/CREDITS.md") << "# Credits";
    EXPECT_EQ(PhotoCreditsAddress(root / "usr/bin"),
              "file://" + (root / "usr/share/doc/dorvane/CREDITS.md").string());
}

}  // namespace
}  // namespace dorvane::pages
