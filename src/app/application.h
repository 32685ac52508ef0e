// SPDX-License-Identifier: GPL-3.0-or-later
// The application object: it shows the general error box for the errors that the
// commands report (platform::ReportError), after the command has returned and
// never two at a time; the program carries on.
#pragma once

#include <QApplication>
#include <functional>
#include <memory>
#include <string>

#include "platform/dialogs.h"

namespace dorvane::app {

// The text the general error box shows: a full stop is added when the last
// character's code is above that of "." ("Disk full" → "Disk full.", "Failed!" stays).
std::string ErrorBoxText(const std::string& message);

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    ~Application() override;

    bool notify(QObject* receiver, QEvent* event) override;

    // The dialogs the error box goes through; tests put their own in place to
    // read the texts. Not owned when set this way.
    void setDialogs(platform::Dialogs* dialogs) { dialogs_ = dialogs; }
    platform::Dialogs& dialogs() { return *dialogs_; }

    // Opens the general error box with `message` now; `then` runs once it is closed.
    void showError(const std::string& message, std::function<void()> then = {});
    // Shows it once the event loop runs again, unless a box is open or waiting.
    void queueError(const std::string& message);

private:
    std::unique_ptr<platform::Dialogs> ownDialogs_;
    platform::Dialogs* dialogs_ = nullptr;
    bool errorBoxPending_ = false;
};

}  // namespace dorvane::app
