// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"

#include <QSettings>
#include <QTimer>
#include <exception>

#include "platform/data_folder.h"
#include "platform/dialogs_qt.h"
#include "platform/error_report.h"

namespace dorvane::app {
namespace {

// Qt's file dialog keeps its history and sizes in QtProject.conf in the user's
// configuration folder. The program keeps no settings file, nor do its libraries:
// the user scope points below a path that can never be a folder, so such a write
// fails quietly and nothing is written anywhere.
void KeepNoSettingsFiles() {
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, "/dev/null");
}

}  // namespace

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv), ownDialogs_(std::make_unique<platform::QtDialogs>()) {
    dialogs_ = ownDialogs_.get();
    // No display name: Qt would append " — Dorvane" to the title of every dialog.
    setApplicationName("Dorvane");  // also the X11 window class, as the desktop entry says
    setDesktopFileName(platform::kDesktopId);  // the Wayland app id
    KeepNoSettingsFiles();
    platform::SetErrorSink([this](const std::string& message) { queueError(message); });
}

Application::~Application() {
    platform::SetErrorSink({});
}

void Application::showError(const std::string& message, std::function<void()> then) {
    if (dialogs_) return dialogs_->showError(ErrorBoxText(message), std::move(then));
    if (then) then();
}

void Application::queueError(const std::string& message) {
    // The box opens once the failed command has returned to the event loop, and
    // one at a time: a fault that repeats (while painting, say) while a box is
    // open or waiting adds none.
    if (errorBoxPending_) return;
    errorBoxPending_ = true;
    QTimer::singleShot(
        0, this, [this, message] { showError(message, [this] { errorBoxPending_ = false; }); });
}

bool Application::notify(QObject* receiver, QEvent* event) {
    // The last resort: the commands catch their own errors (platform::RunCommand).
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        queueError(e.what());
    } catch (...) {
        queueError("Unknown error");
    }
    return false;
}

}  // namespace dorvane::app
