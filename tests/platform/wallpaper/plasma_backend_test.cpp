// SPDX-License-Identifier: GPL-3.0-or-later
// The Plasma backend against a stand-in for plasmashell on a private session bus:
// the stand-in runs the script it gets over stand-in desktops that log each step.
#include <gtest/gtest.h>
#include <sys/prctl.h>

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QDeadlineTimer>
#include <QJSEngine>
#include <QMutex>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <QUrl>
#include <csignal>

#include "nasty_paths.h"
#include "platform/wallpaper/backends.h"
#include "platform/wallpaper/plasma_script.h"

namespace dorvane::platform::wallpaper {
namespace {

// The shared nasty paths, and some that would break a careless script.
QStringList Paths() {
    return NastyPaths() + QStringList{"/tmp/</script>${x}`y`\u2028.bmp"};
}

QString FileUrl(const QString& path) {
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}

TEST(PlasmaScript, UrlLiteralEvaluatesToTheFileUrl) {
    QJSEngine js;
    for (const QString& path : Paths()) {
        const QJSValue value = js.evaluate(PlasmaUrlLiteral(path));
        ASSERT_FALSE(value.isError()) << value.toString().toStdString();
        EXPECT_EQ(value.toString(), FileUrl(path));
        EXPECT_EQ(QUrl(value.toString()).toLocalFile(), path);
    }
}

// A session bus of our own for this test process, before anything asks for one.
class PrivateBus : public ::testing::Environment {
public:
    void SetUp() override {
        daemon_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        daemon_.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        QByteArray address;
        const QDeadlineTimer deadline(20000);
        while (!address.contains('\n') && daemon_.waitForReadyRead(deadline.remainingTime()))
            address += daemon_.readAllStandardOutput();
        ASSERT_TRUE(address.contains('\n')) << "dbus-daemon did not start";
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.trimmed());
        address_ = QString::fromLatin1(address.trimmed());
    }
    void TearDown() override {
        daemon_.kill();
        daemon_.waitForFinished();
    }
    static QString address_;

private:
    QProcess daemon_;
};
QString PrivateBus::address_;
[[maybe_unused]] const auto* const kBus = ::testing::AddGlobalTestEnvironment(new PrivateBus);

enum class Answer { RunScript, ScriptError };

class FakePlasmaShell : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.PlasmaShell")
public:
    FakePlasmaShell(Answer answer, int desktops) : answer_(answer), desktops_(desktops) {}
    QStringList log() {
        QMutexLocker lock(&mutex_);
        return log_;
    }

public slots:
    QString evaluateScript(const QString& script) {
        if (answer_ == Answer::ScriptError) {
            sendErrorReply(QDBusError::Failed, "Error: ReferenceError: desktops is not defined");
            return {};
        }
        QJSEngine js;
        js.evaluate(
            QStringLiteral("var log = [], out = [];"
                           "function print(x) { out.push(String(x)); }"
                           "var geometries = [{x: 0, y: 0, width: 2560, height: 1440},"
                           "  {x: 2560, y: 0, width: 1920, height: 1080},"
                           "  {x: 0, y: 1440, width: 800, height: 600}];"
                           "function screenGeometry(i) { return geometries[i]; }"
                           "function desktop(i) { return { screen: i,"
                           "  set wallpaperPlugin(v) { log.push(i + ' plugin ' + v); },"
                           "  set currentConfigGroup(v) { log.push(i + ' group ' + v.join('/')); },"
                           "  writeConfig(k, v) { log.push(i + ' ' + k + ' ' + v); } }; }"
                           "function desktops() { var d = []; for (var i = 0; i < %1; i++)"
                           "  d.push(desktop(i)); return d; }")
                .arg(desktops_));
        const QJSValue result = js.evaluate(script);
        QMutexLocker lock(&mutex_);
        log_ = js.globalObject().property("log").toVariant().toStringList();
        if (result.isError()) log_ << "error " + result.toString();
        return js.globalObject().property("out").toVariant().toStringList().join('\n');
    }

private:
    Answer answer_;
    int desktops_;
    QMutex mutex_;
    QStringList log_;
};

// The stand-in answers from a thread of its own, as another process would.
class PlasmaShellOnBus {
public:
    PlasmaShellOnBus(Answer answer, int desktops) : shell_(answer, desktops) {
        thread_.start();
        shell_.moveToThread(&thread_);
        bus_ = QDBusConnection::connectToBus(PrivateBus::address_, "fake-plasmashell");
        bus_.registerObject("/PlasmaShell", &shell_, QDBusConnection::ExportAllSlots);
        bus_.registerService("org.kde.plasmashell");
    }
    ~PlasmaShellOnBus() {
        bus_.unregisterService("org.kde.plasmashell");
        bus_.unregisterObject("/PlasmaShell");
        QDBusConnection::disconnectFromBus("fake-plasmashell");
        thread_.quit();
        thread_.wait();
    }
    FakePlasmaShell& shell() { return shell_; }

private:
    FakePlasmaShell shell_;
    QThread thread_;
    QDBusConnection bus_{QString()};
};

TEST(PlasmaBackend, EveryDesktopGetsTheFillModeToggledAndTheImageLast) {
    PlasmaShellOnBus plasma(Answer::RunScript, 2);
    for (const QString& path : Paths()) {
        const Outcome outcome = MakePlasmaBackend()->apply(path);
        EXPECT_TRUE(outcome.ok) << outcome.detail.toStdString();
        QStringList expected;
        for (const QString d : {"0", "1"})
            expected << d + " plugin org.kde.image" << d + " group Wallpaper/org.kde.image/General"
                     << d + " FillMode 1" << d + " FillMode 0" << d + " Image " + FileUrl(path);
        EXPECT_EQ(plasma.shell().log(), expected);
    }
}

TEST(PlasmaBackend, EachScreenGetsThePictureMadeForItsRectangle) {
    PlasmaShellOnBus plasma(Answer::RunScript, 3);
    const QString big = Paths().front(), small = Paths().back();
    const Outcome outcome =
        MakePlasmaBackend()->applyEach({{"DUMMY1", QRect(2560, 0, 1920, 1080), small},
                                        {"DUMMY0", QRect(0, 0, 2560, 1440), big},
                                        {"GONE", QRect(9, 9, 9, 9), "/tmp/gone.bmp"}});
    ASSERT_TRUE(outcome.ok) << outcome.detail.toStdString();
    EXPECT_TRUE(outcome.detail.contains("no picture for the screen at 0,1440,800,600"))
        << outcome.detail.toStdString();
    const QStringList log = plasma.shell().log();
    EXPECT_TRUE(log.contains("0 Image " + FileUrl(big))) << log.join('|').toStdString();
    EXPECT_TRUE(log.contains("1 Image " + FileUrl(small))) << log.join('|').toStdString();
    EXPECT_TRUE(log.filter(QRegularExpression("^2 ")).isEmpty());
}

TEST(PlasmaBackend, FailsWithPlasmasReason) {
    const QString path = "/tmp/wall.bmp";
    struct Case {
        Answer answer;
        int desktops;
        const char* detail;
    } cases[] = {
        {Answer::ScriptError, 1, "org.freedesktop.DBus.Error.Failed: Error: ReferenceError"},
        {Answer::RunScript, 0, "found no desktop"},
    };
    for (const Case& c : cases) {
        PlasmaShellOnBus plasma(c.answer, c.desktops);
        const Outcome outcome = MakePlasmaBackend()->apply(path);
        EXPECT_FALSE(outcome.ok);
        EXPECT_TRUE(outcome.detail.startsWith("KDE Plasma: ")) << outcome.detail.toStdString();
        EXPECT_TRUE(outcome.detail.contains(c.detail)) << outcome.detail.toStdString();
    }
    const Outcome absent = MakePlasmaBackend()->apply(path);  // no plasmashell on the bus
    EXPECT_FALSE(absent.ok);
    EXPECT_TRUE(absent.detail.contains("ServiceUnknown")) << absent.detail.toStdString();
}

}  // namespace
}  // namespace dorvane::platform::wallpaper

#include "plasma_backend_test.moc"
