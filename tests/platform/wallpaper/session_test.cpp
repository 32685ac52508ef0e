// SPDX-License-Identifier: GPL-3.0-or-later
// The backends against the real settings services on a private session bus:
// gsettings with dconf, and xfconfd. Runs under in_private_session.sh.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "nasty_paths.h"
#include "platform/desktop_wallpaper.h"
#include "platform/wallpaper/desktop_detect.h"
#include "platform/wallpaper/gsettings_backend.h"
#include "platform/wallpaper/quoting.h"
#include "platform/wallpaper/xfce_backend.h"

namespace dorvane::platform::wallpaper {
namespace {

TEST(PrivateSession, IsRunning) {
    // Everything below needs the bus that in_private_session.sh starts.
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"));
    ASSERT_TRUE(QDBusConnection::sessionBus().isConnected());
}

QString Gsettings(const QStringList& args) {
    ProcessRunner runner;
    const CommandRunner::Result r = runner.run("gsettings", args, 5000);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return ParseGVariantString(r.out).value_or("<unreadable>");
}

// The path that GIO, which the desktops use, makes of a URI.
QString GioLocalPath(const QString& uri) {
    ProcessRunner runner;
    const QByteArray out = runner.run("gio", {"info", "-a", "standard::size", uri}, 5000).out;
    for (const QByteArray& line : out.split('\n'))
        if (line.startsWith("local path: ")) return QString::fromUtf8(line.mid(12));
    return {};
}

TEST(GSettingsDesktops, StoreNastyPathsThroughDconfAndAgain) {
    QTemporaryDir folder;
    ProcessRunner runner;
    for (const GSettingsProfile& profile : {GnomeProfile(), CinnamonProfile(), MateProfile()}) {
        GSettingsBackend backend(profile, runner);
        for (const QString& path : NastyPaths(folder.path())) {
            QDir().mkpath(QFileInfo(path).path());
            QFile(path).open(QIODevice::WriteOnly);
            const Outcome outcome = backend.apply(path);
            ASSERT_TRUE(outcome.ok) << outcome.detail.toStdString();
            const QString& key = profile.pictureKeys[0].name;
            const QString stored = Gsettings({"get", profile.schema, key});
            if (profile.pictureKeys[0].form == GSettingsKey::Form::Path)
                EXPECT_EQ(stored, path);
            else
                EXPECT_EQ(GioLocalPath(stored), path) << stored.toStdString();
            EXPECT_EQ(Gsettings({"get", profile.schema, "picture-options"}), "stretched");
        }
        const Outcome again = backend.apply(NastyPaths(folder.path()).back());
        EXPECT_TRUE(again.ok) << again.detail.toStdString();
    }
    EXPECT_EQ(Gsettings({"get", "org.gnome.desktop.background", "picture-uri-dark"}),
              Gsettings({"get", "org.gnome.desktop.background", "picture-uri"}));
}

TEST(GSettingsDesktops, WithoutASessionBusTheLostWriteIsAFailure) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + QDir::homePath() + "/no-bus-here");
    ProcessRunner noBus(env);
    const QString before = Gsettings({"get", "org.gnome.desktop.background", "picture-uri"});
    const Outcome outcome = GSettingsBackend(GnomeProfile(), noBus).apply("/tmp/lost.bmp");
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.detail,
              "GNOME: the settings were not saved (gsettings wrote nothing; is "
              "there a session bus?).");
    EXPECT_EQ(Gsettings({"get", "org.gnome.desktop.background", "picture-uri"}), before);
}

// xfconfd, started by the bus on the first call.
class Xfconf : public ::testing::Test {
protected:
    void SetUp() override { call("ResetProperty", {channel, "/", true}); }
    void TearDown() override { xfdesktop.unregisterService("org.xfce.xfdesktop"); }

    QDBusMessage call(const QString& method, const QVariantList& args) {
        QDBusMessage m = QDBusMessage::createMethodCall("org.xfce.Xfconf", "/org/xfce/Xfconf",
                                                        "org.xfce.Xfconf", method);
        m.setArguments(args);
        return QDBusConnection::sessionBus().call(m, QDBus::Block, 5000);
    }
    void set(const QString& property, const QVariant& value) {
        const QDBusMessage reply =
            call("SetProperty", {channel, property, QVariant::fromValue(QDBusVariant(value))});
        ASSERT_NE(reply.type(), QDBusMessage::ErrorMessage) << reply.errorMessage().toStdString();
    }
    QVariant get(const QString& property) {
        const QDBusMessage reply = call("GetProperty", {channel, property});
        if (reply.type() == QDBusMessage::ErrorMessage) return {};
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }
    void pretendXfdesktopRuns() { ASSERT_TRUE(xfdesktop.registerService("org.xfce.xfdesktop")); }

    const QString channel = "xfce4-desktop";
    QDBusConnection xfdesktop = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "xfd");
    XfceBackend backend{QDBusConnection::sessionBus(), {"HDMI-1", "Virtual 1"}};
};

TEST_F(Xfconf, SetsEveryMonitorAndWorkspaceAndNothingElse) {
    const QString base = "/backdrop/screen0/monitor%1/workspace%2/";
    for (const QString monitor : {"HDMI-1", "eDP-1"})
        for (const QString workspace : {"0", "1"}) {
            set(base.arg(monitor, workspace) + "last-image", "/usr/share/backgrounds/old.png");
            set(base.arg(monitor, workspace) + "image-style", qint32(5));
        }
    set(base.arg("HDMI-1", "0") + "color-style", qint32(1));
    set("/desktop-icons/style", qint32(2));
    pretendXfdesktopRuns();
    const QString path = "/tmp/My Walls/it's b\u00fcro.bmp";
    for (int round = 0; round < 2; ++round) {
        const Outcome outcome = backend.apply(path);
        ASSERT_TRUE(outcome.ok) << outcome.detail.toStdString();
    }
    for (const QString monitor : {"HDMI-1", "eDP-1"})
        for (const QString workspace : {"0", "1"}) {
            EXPECT_EQ(get(base.arg(monitor, workspace) + "last-image").toString(), path);
            EXPECT_EQ(get(base.arg(monitor, workspace) + "image-style"), QVariant(qint32(3)));
        }
    EXPECT_EQ(get(base.arg("HDMI-1", "0") + "color-style"), QVariant(qint32(1)));
    EXPECT_EQ(get("/desktop-icons/style"), QVariant(qint32(2)));
    EXPECT_FALSE(get(base.arg("HDMI-1", "2") + "last-image").isValid());
}

TEST_F(Xfconf, CreatesTheBackdropOfAFreshProfile) {
    pretendXfdesktopRuns();
    ASSERT_TRUE(backend.apply("/tmp/wall.bmp").ok);
    for (const QString monitor : {"HDMI-1", "Virtual1", "0"}) {
        const QString base = "/backdrop/screen0/monitor" + monitor + "/workspace0/";
        EXPECT_EQ(get(base + "last-image").toString(), "/tmp/wall.bmp") << monitor.toStdString();
        EXPECT_EQ(get(base + "image-style"), QVariant(qint32(3)));
    }
}

TEST_F(Xfconf, EachMonitorGetsItsOwnPictureOnEveryWorkspace) {
    const QString base = "/backdrop/screen0/monitor%1/workspace%2/";
    for (const QString workspace : {"0", "1"})
        set(base.arg("HDMI-1", workspace) + "last-image", "/old.png");
    set(base.arg("eDP-1", "0") + "last-image", "/old.png");
    set(base.arg("0", "0") + "last-image", "/old.png");  // an older xfdesktop's key
    pretendXfdesktopRuns();
    const Outcome outcome = backend.applyEach({{"HDMI-1", QRect(0, 0, 2560, 1440), "/a.bmp"},
                                               {"eDP-1", QRect(2560, 0, 1920, 1080), "/b.bmp"},
                                               {"DP-3", QRect(0, 1440, 800, 600), "/c.bmp"}});
    ASSERT_TRUE(outcome.ok) << outcome.detail.toStdString();
    for (const QString workspace : {"0", "1"})
        EXPECT_EQ(get(base.arg("HDMI-1", workspace) + "last-image").toString(), "/a.bmp");
    EXPECT_EQ(get(base.arg("eDP-1", "0") + "last-image").toString(), "/b.bmp");
    EXPECT_EQ(get(base.arg("eDP-1", "0") + "image-style"), QVariant(qint32(3)));
    EXPECT_FALSE(get(base.arg("eDP-1", "1") + "last-image").isValid());
    for (const QString workspace : {"0", "1", "2", "3"})  // a monitor new to xfdesktop
        EXPECT_EQ(get(base.arg("DP-3", workspace) + "last-image").toString(), "/c.bmp");
    EXPECT_EQ(get(base.arg("0", "0") + "last-image").toString(), "/old.png");
}

TEST_F(Xfconf, ReportsWhatIsMissing) {
    Outcome outcome = backend.apply("/tmp/wall.bmp");
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.detail,
              "XFCE: the settings were saved, but the desktop (xfdesktop) is not "
              "running to show them.");
    outcome = XfceBackend(QDBusConnection("never-connected"), {}).apply("/tmp/wall.bmp");
    EXPECT_FALSE(outcome.ok);
    EXPECT_TRUE(outcome.detail.startsWith("XFCE: there is no session bus"))
        << outcome.detail.toStdString();
}

TEST(CurrentSession, SeesTheBusAndThisProcess) {
    const SessionInfo session = CurrentSession();
    EXPECT_TRUE(session.busNames.contains("org.freedesktop.DBus"));
    const QString self = QCoreApplication::applicationFilePath().section('/', -1);
    EXPECT_TRUE(std::any_of(session.ownProcesses.begin(), session.ownProcesses.end(),
                            [&](const QStringList& argv) { return argv.front().endsWith(self); }));
    // The session has no display: no desktop, and the user is told so.
    EXPECT_EQ(DetectDesktop(session), Desktop::None);
    const Outcome outcome = SetDesktopWallpaper("/tmp/wall.bmp");
    EXPECT_FALSE(outcome.ok);
    EXPECT_TRUE(outcome.detail.startsWith("No supported desktop was found"))
        << outcome.detail.toStdString();
}

}  // namespace
}  // namespace dorvane::platform::wallpaper
