// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"

#include <exception>

#include "platform/data_folder.h"
#include "platform/dialogs_qt.h"
#include "platform/program_icon.h"

namespace dorvane::app {

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv), ownDialogs_(std::make_unique<platform::QtDialogs>()) {
    dialogs_ = ownDialogs_.get();
    setApplicationName("Dorvane");  // the X11 window class, as the desktop entry says
    setApplicationDisplayName("Dorvane");
    setDesktopFileName(platform::kDesktopId);  // the Wayland app id
    setWindowIcon(platform::ProgramIcon());
}

Application::~Application() = default;

void Application::showError(const std::string& message) {
    dialogs_->showError(ErrorBoxText(message));
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        showError(e.what());
    } catch (...) {
        showError("Unknown error");
    }
    return false;
}

}  // namespace dorvane::app
