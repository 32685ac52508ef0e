// SPDX-License-Identifier: GPL-3.0-or-later
// The desktops whose wallpaper lives in GSettings (GNOME, Budgie, Cinnamon, MATE):
// one backend, told by a profile which schema and keys to write.
#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <functional>
#include <optional>
#include <utility>

#include "platform/desktop_wallpaper.h"
#include "platform/wallpaper/command_runner.h"
#include "platform/wallpaper/desktop_detect.h"

namespace dorvane::platform::wallpaper {

struct GSettingsKey {
    enum class Form { Uri, Path };
    QString name;
    Form form = Form::Uri;
    bool optional = false;  // written only when the installed schema has it
};

struct GSettingsProfile {
    Desktop desktop;
    QString schema;
    QList<GSettingsKey> pictureKeys;
    // budgie-wm shows the old picture on the first change after it starts; a
    // zoom -> stretched round trip of the options, with pauses, makes it reload.
    bool optionsRoundTrip = false;
};

GSettingsProfile GnomeProfile();
GSettingsProfile BudgieProfile();
GSettingsProfile CinnamonProfile();
GSettingsProfile MateProfile();

class GSettingsBackend : public Backend {
public:
    using Pause = std::function<bool(int ms)>;  // false: stopped, the program is closing
    GSettingsBackend(GSettingsProfile profile, CommandRunner& runner, Pause pause);
    GSettingsBackend(GSettingsProfile profile, CommandRunner& runner);

    QString name() const override;
    // Writes the picture keys and picture-options 'stretched', then reads every key
    // back: gsettings loses writes without a session bus and still exits 0.
    Outcome apply(const QString& absPath) override;
    // The same with picture-options 'spanned': the picture covers all monitors.
    Outcome applySpanned(const QString& absPath) override;

    static constexpr int kTimeoutMs = 5000;
    static constexpr int kRoundTripPauseMs = 1500;

private:
    // Every key of the schema with its value (nothing for values that are no string).
    using Values = QMap<QString, std::optional<QString>>;

    CommandRunner::Result run(const QStringList& args);
    Values read();
    void set(const QString& key, const QString& value);
    void verify(const QList<std::pair<QString, QString>>& wanted);
    Outcome applyWith(const QString& absPath, const QString& options);

    GSettingsProfile profile_;
    CommandRunner& runner_;
    Pause pause_;
};

}  // namespace dorvane::platform::wallpaper
