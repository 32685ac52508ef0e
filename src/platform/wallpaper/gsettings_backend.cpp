// SPDX-License-Identifier: GPL-3.0-or-later
// GSettings through the gsettings tool (GIO itself aborts the process when a
// schema is missing), with every write read back.
#include "platform/wallpaper/gsettings_backend.h"

#include <stdexcept>
#include <utility>

#include "platform/wallpaper/quoting.h"
#include "platform/wallpaper/settle_wait.h"

namespace dorvane::platform::wallpaper {
namespace {

const QString kOptionsKey = QStringLiteral("picture-options");
const QString kStretched = QStringLiteral("stretched");

// A failure on the way; its text becomes the outcome's detail.
struct Failure : std::runtime_error {
    explicit Failure(const QString& why) : std::runtime_error(why.toStdString()) {}
};

QString FirstLine(const QByteArray& text) {
    const QString line = QString::fromUtf8(text).trimmed().section(QLatin1Char('\n'), 0, 0);
    return line.isEmpty() ? QStringLiteral("no message") : line.left(200);
}

}  // namespace

GSettingsProfile GnomeProfile() {
    return {Desktop::Gnome,
            QStringLiteral("org.gnome.desktop.background"),
            {{QStringLiteral("picture-uri")},
             // The dark style (GNOME 42 and later) shows this key's picture.
             {QStringLiteral("picture-uri-dark"), GSettingsKey::Form::Uri, true}}};
}

GSettingsProfile BudgieProfile() {
    GSettingsProfile profile = GnomeProfile();
    profile.desktop = Desktop::Budgie;
    profile.optionsRoundTrip = true;
    return profile;
}

GSettingsProfile CinnamonProfile() {
    return {Desktop::Cinnamon,
            QStringLiteral("org.cinnamon.desktop.background"),
            {{QStringLiteral("picture-uri")}}};
}

GSettingsProfile MateProfile() {
    return {Desktop::Mate,
            QStringLiteral("org.mate.background"),
            {{QStringLiteral("picture-filename"), GSettingsKey::Form::Path}}};
}

GSettingsBackend::GSettingsBackend(GSettingsProfile profile, CommandRunner& runner, Pause pause)
    : profile_(std::move(profile)), runner_(runner), pause_(std::move(pause)) {}

GSettingsBackend::GSettingsBackend(GSettingsProfile profile, CommandRunner& runner)
    : GSettingsBackend(std::move(profile), runner, &SettleFor) {}

QString GSettingsBackend::name() const {
    return DesktopName(profile_.desktop) + QStringLiteral(" (gsettings)");
}

CommandRunner::Result GSettingsBackend::run(const QStringList& args) {
    // A gsettings early on the search path (conda ships one) may use other settings.
    CommandRunner::Result result =
        runner_.run(PreferredProgram(QStringLiteral("/usr/bin/gsettings")), args, kTimeoutMs);
    if (!result.started)
        throw Failure(
            QStringLiteral("the gsettings program could not be run (it comes with "
                           "libglib2.0-bin)"));
    if (result.timedOut)
        throw Failure(
            QStringLiteral("gsettings did not finish within %1 seconds").arg(kTimeoutMs / 1000));
    return result;
}

GSettingsBackend::Values GSettingsBackend::read() {
    const CommandRunner::Result result = run({QStringLiteral("list-recursively"), profile_.schema});
    if (result.exitCode != 0)
        throw Failure(
            QStringLiteral("the settings schema %1 is not installed").arg(profile_.schema));
    // One line a key: "SCHEMA KEY VALUE", the value in GVariant text.
    Values values;
    for (const QByteArray& line : result.out.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 3 || fields[0] != profile_.schema.toUtf8()) continue;
        const qsizetype valueAt = fields[0].size() + fields[1].size() + 2;
        values.insert(QString::fromUtf8(fields[1]), ParseGVariantString(line.mid(valueAt)));
    }
    return values;
}

void GSettingsBackend::set(const QString& key, const QString& value) {
    const CommandRunner::Result result =
        run({QStringLiteral("set"), profile_.schema, key, GVariantString(value)});
    if (result.exitCode != 0)
        throw Failure(QStringLiteral("%1 could not be set (%2)").arg(key, FirstLine(result.err)));
}

void GSettingsBackend::verify(const QList<std::pair<QString, QString>>& wanted) {
    const Values saved = read();
    for (const auto& [key, value] : wanted)
        if (saved.value(key) != value)
            throw Failure(
                QStringLiteral("the settings were not saved (gsettings wrote nothing; is "
                               "there a session bus?)"));
}

Outcome GSettingsBackend::apply(const QString& absPath) {
    return applyWith(absPath, kStretched);
}

Outcome GSettingsBackend::applySpanned(const QString& absPath) {
    return applyWith(absPath, QStringLiteral("spanned"));
}

Outcome GSettingsBackend::applyWith(const QString& absPath, const QString& options) {
    const QString desktop = DesktopName(profile_.desktop);
    try {
        const Values before = read();
        QList<std::pair<QString, QString>> values;
        for (const GSettingsKey& key : profile_.pictureKeys) {
            if (!before.contains(key.name)) {
                if (key.optional) continue;
                throw Failure(QStringLiteral("the settings schema %1 has no key %2")
                                  .arg(profile_.schema, key.name));
            }
            values.append(
                {key.name, key.form == GSettingsKey::Form::Uri ? FileUri(absPath) : absPath});
        }
        values.append({kOptionsKey, options});
        // Only a picture that is already registered can be shown stale.
        const bool roundTrip = profile_.optionsRoundTrip &&
                               before.value(values.front().first) == values.front().second;
        for (const auto& [key, value] : values) set(key, value);
        verify(values);
        // A program closing meanwhile leaves the picture set and ends at once.
        if (roundTrip && pause_(kRoundTripPauseMs)) {
            set(kOptionsKey, QStringLiteral("zoom"));
            pause_(kRoundTripPauseMs);
            set(kOptionsKey, options);
            verify({{kOptionsKey, options}});
        }
        return {true, desktop + QStringLiteral(": set through ") + profile_.schema};
    } catch (const Failure& failure) {
        return {false, desktop + QStringLiteral(": ") + QString::fromStdString(failure.what()) +
                           QLatin1Char('.')};
    }
}

}  // namespace dorvane::platform::wallpaper
