// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"

#include <QMessageBox>
#include <exception>

namespace dorvane::app {

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("Dorvane");
    setApplicationDisplayName("Dorvane");
    showError = [](const QString& text) {
        QMessageBox box(QMessageBox::Critical, "Dorvane", text, QMessageBox::Ok);
        box.exec();
    };
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        showError(QString::fromStdString(ErrorBoxText(e.what())));
    } catch (...) {
        showError(QString::fromStdString(ErrorBoxText("Unknown error")));
    }
    return false;
}

}  // namespace dorvane::app
