// SPDX-License-Identifier: GPL-3.0-or-later
// The program: the main window and the full-screen preview window.

#include <cstdlib>
#include <iostream>

#include "app/application.h"
#include "app/command_line.h"
#include "app/main_window.h"
#include "gallery/preview_window.h"
#include "pages/online_check.h"
#include "pages/site_config.h"
#include "platform/data_folder.h"
#include "platform/desktop_wallpaper.h"
#include "platform/display_check.h"
#include "platform/network_state.h"

namespace {

// For the start-up benchmark: with DORVANE_QUIT_AFTER_FIRST_FRAME set, the
// program ends as soon as its main window has painted its first frame.
// The window's first paint pass paints its controls; the loop ends after it.
// exit(), not quit(): quit() would first ask the window to close, which asks the
// user to confirm and has nothing to do with start-up.
class FirstFrameQuit : public QObject {
public:
    explicit FirstFrameQuit(QWidget& window) : QObject(&window), window_(window) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == &window_) {
            qApp->removeEventFilter(this);
            QCoreApplication::exit(0);
        }
        return false;
    }

private:
    QWidget& window_;
};

void QuitAfterFirstFrameIfAsked(QWidget& window) {
    if (qEnvironmentVariableIsSet("DORVANE_QUIT_AFTER_FIRST_FRAME"))
        qApp->installEventFilter(new FirstFrameQuit(window));
}

}  // namespace

int main(int argc, char** argv) {
    // Headless commands first: they need no display and no window.
    if (const std::optional<int> status = dorvane::app::RunCommandLine(argc, argv)) return *status;
    if (const std::string missing = dorvane::platform::MissingDisplay(); !missing.empty()) {
        std::cerr << "dorvane: no usable display: " << missing << "\n";
        return 1;
    }
    const auto app = [&] {
        const dorvane::platform::QtStartGuard guard;
        return std::make_unique<dorvane::app::Application>(argc, argv);
    }();
    dorvane::platform::QtScreen screen;
    dorvane::platform::DesktopLinkOpener links;
    dorvane::app::Services services;
    services.screen = &screen;
    services.dialogs = &app->dialogs();
    services.links = &links;
    services.programPath = std::filesystem::read_symlink("/proc/self/exe");
    services.setDesktopWallpaper = &dorvane::platform::wallpaper::SetDesktopWallpaper;
    services.listMonitors = &dorvane::platform::ListMonitors;
    services.setMonitorWallpapers = [](const dorvane::compose::MonitorWallpaperJob& job) {
        dorvane::platform::wallpaper::CurrentDesktop desktop;
        return dorvane::compose::SetMonitorWallpapers(job, desktop.backend());
    };
    const auto site = dorvane::pages::LoadSiteConfig(std::getenv, std::cerr);
    dorvane::platform::SystemNetworkState network;
    const dorvane::pages::OnlineCheck online(network, site.dnsServer, site.host,
                                             dorvane::pages::kDnsTimeLimit);
    services.isOnline = [&online] { return online.IsOnline(); };
    services.resourcesPageUrl = site.resourcesPageUrl;
    try {
        services.dataFolder = dorvane::platform::DataFolder();
        dorvane::app::MainWindow window(services);
        window.setPreviewWindow(std::make_unique<dorvane::gallery::FullScreenPreview>());
        window.show();
        QuitAfterFirstFrameIfAsked(window);
        return app->exec();
    } catch (const std::exception& e) {
        // Start-up has no recovery of its own: say what failed and stop.
        std::cerr << "dorvane: " << e.what() << "\n";
        app->setQuitOnLastWindowClosed(false);  // the box's close ends it, with 1
        app->showError(e.what(), [] { QCoreApplication::exit(1); });
        return app->exec();
    }
}
