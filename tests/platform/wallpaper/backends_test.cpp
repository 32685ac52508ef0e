// SPDX-License-Identifier: GPL-3.0-or-later
// The command-driven backends against scripted programs: what they run, and that
// a program that hangs or claims success without effect is reported as a failure.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>

#include "platform/wallpaper/gsettings_backend.h"
#include "platform/wallpaper/pcmanfm_backends.h"
#include "platform/wallpaper/quoting.h"

namespace dorvane::platform::wallpaper {
namespace {

using Keys = std::map<QString, QString>;

// gsettings in memory: list-recursively and set on the schemas it knows.
class FakeGSettings : public CommandRunner {
public:
    std::map<QString, Keys> schemas;
    bool keepsWrites = true;  // false: "set" exits 0 and changes nothing, as without a bus
    bool hangs = false;
    QList<QStringList> sets;

    Result run(const QString&, const QStringList& a, int) override {
        Result r;
        r.started = true;
        if (hangs) {
            r.timedOut = true;
            return r;
        }
        auto schema = schemas.find(a.value(1));
        r.exitCode = schema == schemas.end() ? 1 : 0;
        if (r.exitCode != 0) return r;
        Keys& keys = schema->second;
        if (a[0] == "list-recursively")
            for (const auto& [key, value] : keys)
                r.out += (a[1] + ' ' + key + ' ' + GVariantString(value) + '\n').toUtf8();
        if (a[0] == "set") {
            sets << a.mid(2);
            if (keepsWrites) keys[a[2]] = ParseGVariantString(a[3].toUtf8()).value();
        }
        return r;
    }
};

const QString kPath = QStringLiteral("/home/ann/Dorvane/it's b\u00fcro.bmp");
const QString kGnome = QStringLiteral("org.gnome.desktop.background");
const Keys kGnomeKeys{{"picture-uri", "file:///old.webp"},
                      {"picture-uri-dark", "file:///old-dark.webp"},
                      {"picture-options", "zoom"}};

TEST(GSettingsBackend, WritesTheDesktopsKeysAndReadsThemBack) {
    struct Row {
        GSettingsProfile profile;
        Keys before, after;
    };
    const QString uri = FileUri(kPath);
    const Row rows[] = {
        {GnomeProfile(),
         kGnomeKeys,
         {{"picture-uri", uri}, {"picture-uri-dark", uri}, {"picture-options", "stretched"}}},
        {GnomeProfile(),  // before GNOME 42 there is no dark picture
         {{"picture-uri", ""}, {"picture-options", "zoom"}},
         {{"picture-uri", uri}, {"picture-options", "stretched"}}},
        {CinnamonProfile(),
         {{"picture-uri", ""}, {"picture-options", "zoom"}},
         {{"picture-uri", uri}, {"picture-options", "stretched"}}},
        {MateProfile(),  // a plain path, not a URI
         {{"picture-filename", ""}, {"picture-options", "zoom"}},
         {{"picture-filename", kPath}, {"picture-options", "stretched"}}},
    };
    for (const Row& row : rows) {
        FakeGSettings gsettings;
        gsettings.schemas[row.profile.schema] = row.before;
        const Outcome outcome = GSettingsBackend(row.profile, gsettings).apply(kPath);
        EXPECT_TRUE(outcome.ok) << outcome.detail.toStdString();
        EXPECT_EQ(gsettings.schemas[row.profile.schema], row.after)
            << row.profile.schema.toStdString();
    }
}

TEST(GSettingsBackend, FailsWithTheDesktopsNameAndTheReason) {
    struct Row {
        const char* what;
        GSettingsProfile profile;
        bool keepsWrites, hangs, installed;
        QString detail;
    };
    const Row rows[] = {
        {"write lost, exit status 0", GnomeProfile(), false, false, true,
         "GNOME: the settings were not saved (gsettings wrote nothing; is there a session bus?)."},
        {"gsettings hangs", MateProfile(), true, true, true,
         "MATE: gsettings did not finish within 5 seconds."},
        {"schema not installed", CinnamonProfile(), true, false, false,
         "Cinnamon: the settings schema org.cinnamon.desktop.background is not installed."},
    };
    for (const Row& row : rows) {
        FakeGSettings gsettings;
        gsettings.keepsWrites = row.keepsWrites;
        gsettings.hangs = row.hangs;
        if (row.installed)
            gsettings.schemas[row.profile.schema] = {{row.profile.pictureKeys[0].name, ""},
                                                     {"picture-options", "zoom"}};
        const Outcome outcome = GSettingsBackend(row.profile, gsettings).apply(kPath);
        EXPECT_FALSE(outcome.ok) << row.what;
        EXPECT_EQ(outcome.detail, row.detail) << row.what;
    }
}

TEST(GSettingsBackend, BudgieRoundTripsTheOptionsOnlyForTheSamePicture) {
    FakeGSettings gsettings;
    gsettings.schemas[kGnome] = kGnomeKeys;
    std::vector<int> pauses;
    GSettingsBackend budgie(BudgieProfile(), gsettings, [&](int ms) {
        pauses.push_back(ms);
        return true;
    });

    ASSERT_TRUE(budgie.apply(kPath).ok);
    EXPECT_TRUE(pauses.empty());
    gsettings.sets.clear();
    ASSERT_TRUE(budgie.apply(kPath).ok);
    EXPECT_EQ(pauses, (std::vector<int>{1500, 1500}));
    ASSERT_GE(gsettings.sets.size(), 2);
    EXPECT_EQ(gsettings.sets[gsettings.sets.size() - 2],
              (QStringList{"picture-options", "'zoom'"}));
    EXPECT_EQ(gsettings.sets.back(), (QStringList{"picture-options", "'stretched'"}));
    EXPECT_EQ(gsettings.schemas[kGnome]["picture-options"], "stretched");
    // A program closing stops the wait: the picture stays set, with no round trip.
    GSettingsBackend closing(BudgieProfile(), gsettings, [](int) { return false; });
    gsettings.sets.clear();
    ASSERT_TRUE(closing.apply(kPath).ok);
    EXPECT_FALSE(gsettings.sets.contains(QStringList{"picture-options", "'zoom'"}));
}

TEST(GSettingsBackend, SpannedForSeveralMonitors_BudgieRoundTripsBackToSpanned) {
    for (const GSettingsProfile& profile : {GnomeProfile(), MateProfile()}) {
        FakeGSettings gsettings;
        gsettings.schemas[profile.schema] = {{profile.pictureKeys[0].name, ""},
                                             {"picture-options", "zoom"}};
        ASSERT_TRUE(GSettingsBackend(profile, gsettings).applySpanned(kPath).ok);
        EXPECT_EQ(gsettings.schemas[profile.schema]["picture-options"], "spanned");
    }
    FakeGSettings gsettings;
    gsettings.schemas[kGnome] = kGnomeKeys;
    GSettingsBackend budgie(BudgieProfile(), gsettings, [](int) { return true; });
    ASSERT_TRUE(budgie.applySpanned(kPath).ok);
    ASSERT_TRUE(budgie.applySpanned(kPath).ok);
    EXPECT_EQ(gsettings.sets.back(), (QStringList{"picture-options", "'spanned'"}));
    EXPECT_EQ(budgie.monitorLayout(), MonitorLayout::Spanned);
}

// Records the calls; answers with a fixed result.
class FakeRunner : public CommandRunner {
public:
    Result result{0, true, false, {}, {}};
    QList<QStringList> calls;
    Result run(const QString& program, const QStringList& args, int) override {
        calls << (QStringList{program} + args);
        return result;
    }
};

ProcessLister Running(QList<QStringList> processes) {
    return [processes] { return processes; };
}

TEST(PcmanfmBackends, RunOnlyBesideTheirDesktopAndReportTimeouts) {
    const QList<QStringList> lxde{{"pcmanfm", "--desktop", "--profile", "LXDE"}};
    const QList<QStringList> fileManagerOnly{{"pcmanfm", "/home"}, {"pcmanfm-qt"}};
    FakeRunner runner;
    EXPECT_FALSE(LxdeBackend(runner, Running(fileManagerOnly)).apply(kPath).ok);
    EXPECT_FALSE(LxqtBackend(runner, Running(fileManagerOnly), "/nonexistent").apply(kPath).ok);
    EXPECT_TRUE(runner.calls.isEmpty());  // pcmanfm would block in a dialog

    const Outcome done = LxdeBackend(runner, Running(lxde)).apply(kPath);
    EXPECT_TRUE(done.ok) << done.detail.toStdString();
    EXPECT_EQ(runner.calls.value(0),
              (QStringList{"pcmanfm", "--set-wallpaper=" + kPath, "--wallpaper-mode=stretch"}));
    runner.result = {-1, true, true, {}, {}};
    EXPECT_EQ(LxdeBackend(runner, Running(lxde)).apply(kPath).detail,
              "LXDE: pcmanfm did not finish within 10 seconds.");
}

TEST(PcmanfmBackends, LxqtClearsTheScaledCopyOfEveryProfileFirst) {
    QTemporaryDir cache;
    const QStringList files{"pcmanfm-qt/lxqt/wallpaper.cache",
                            "pcmanfm-qt/lxqt/wallpaper.cache.info",
                            "pcmanfm-qt/default/wallpaper.cache", "pcmanfm-qt/lxqt/settings.conf"};
    for (const QString& file : files) {
        QDir(cache.path()).mkpath(QFileInfo(cache.filePath(file)).path());
        QFile f(cache.filePath(file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    FakeRunner runner;
    LxqtBackend lxqt(runner, Running({{"pcmanfm-qt", "--desktop", "--profile=lxqt"}}),
                     cache.path());
    EXPECT_TRUE(lxqt.apply(kPath).ok);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(QFile::exists(cache.filePath(files[i]))) << i;
    EXPECT_TRUE(QFile::exists(cache.filePath(files[3])));
    EXPECT_EQ(runner.calls.value(0),
              (QStringList{"pcmanfm-qt", "--set-wallpaper", kPath, "--wallpaper-mode", "stretch"}));
}

}  // namespace
}  // namespace dorvane::platform::wallpaper
