// SPDX-License-Identifier: GPL-3.0-or-later
// The application object: the one place where an exception that escapes an event
// handler is caught and shown as the general error box; the program carries on.
#pragma once

#include <QApplication>
#include <functional>
#include <string>

namespace dorvane::app {

// The text the general error box shows: a full stop is added when the last
// character's code is above that of "." ("Disk full" → "Disk full.", "Failed!" stays).
std::string ErrorBoxText(const std::string& message);

class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the general error box; tests replace it to read the text.
    std::function<void(const QString& text)> showError;
};

}  // namespace dorvane::app
