// SPDX-License-Identifier: GPL-3.0-or-later
// The online check against a local dnsmasq, and page 6's first show with the
// resources page from a local web server, each beside its peers:
// - IsOnline (connection check said yes, one query, the success rule) against a bare
//   UDP exchange of the same query (the floor) and glibc's res_nquery;
// - page 6 online (two checks, the fetch, the layout, the paint) against page 6
//   offline and page 7, which show local pages.
#include <arpa/inet.h>
#include <arpa/nameser.h>
#include <benchmark/benchmark.h>
#include <resolv.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QWindow>
#include <filesystem>

#include "../../tests/support/dnsmasq.h"
#include "../../tests/support/local_http_server.h"
#include "app/application.h"
#include "app/main_window.h"
#include "dns/dns_message.h"
#include "pages/online_check.h"
#include "pages/resources_viewer.h"
#include "platform/screen.h"

using namespace std::chrono_literals;
using namespace dorvane;

namespace {

Dnsmasq& Dns() {
    static Dnsmasq dns;
    return dns;
}

class ConnectionUp : public platform::NetworkState {
public:
    bool connectionUp() override { return true; }
};

void BM_IsOnline_LocalDnsmasq(benchmark::State& state) {
    ConnectionUp network;
    const pages::OnlineCheck check(network, Dns().endpoint(), Dnsmasq::kKnownName, 1500ms);
    for (auto _ : state)
        if (!check.IsOnline()) state.SkipWithError("dnsmasq did not answer");
}

void BM_BareUdpExchange_LocalDnsmasq(benchmark::State& state) {
    const dns::Bytes query = dns::BuildQuery(4321, Dnsmasq::kKnownName);
    const dns::Endpoint server = Dns().endpoint();
    std::uint8_t reply[512];
    for (auto _ : state) {
        const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
        ::sendto(fd, query.data(), query.size(), 0,
                 reinterpret_cast<const sockaddr*>(&server.address), server.length);
        benchmark::DoNotOptimize(::recv(fd, reply, sizeof reply, 0));
        ::close(fd);
    }
}

void BM_GlibcResNquery_LocalDnsmasq(benchmark::State& state) {
    struct __res_state res {};
    res_ninit(&res);
    res.nscount = 1;
    res.nsaddr_list[0].sin_family = AF_INET;
    res.nsaddr_list[0].sin_port = htons(Dns().port());
    res.nsaddr_list[0].sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    res.retry = 1;
    std::uint8_t answer[512];
    for (auto _ : state)
        if (res_nquery(&res, Dnsmasq::kKnownName, ns_c_in, ns_t_a, answer, sizeof answer) < 0)
            state.SkipWithError("res_nquery failed");
    res_nclose(&res);
}

// The main window with the real online check (against dnsmasq) and the resources
// page on a local web server.
struct Window {
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("dorvane-page6-bench-" + std::to_string(getpid()));
    platform::FixedScreen screen{{1280, 1024, 96}};
    ConnectionUp network;
    pages::OnlineCheck check{network, Dns().endpoint(), Dnsmasq::kKnownName, 1500ms};
    LocalHttpServer server{[](const std::string&) {
        std::string page = "<h1>Goal-setting resources</h1>";
        for (int i = 0; i < 30; ++i)
            page += "<p>Books, articles and worksheets that help you set goals and keep them.</p>";
        return LocalHttpServer::Response::Page(page);
    }};
    std::unique_ptr<app::MainWindow> w;
    bool painted = false;

    explicit Window(bool online) {
        app::Services s;
        s.screen = &screen;
        s.dialogs = &static_cast<app::Application*>(qApp)->dialogs();
        static platform::DesktopLinkOpener links;
        s.links = &links;
        s.programPath = folder / "dorvane";
        s.dataFolder = folder;
        s.isOnline = [this, online] { return online && check.IsOnline(); };
        s.resourcesPageUrl = server.base() + "/resources.htm#top";
        w = std::make_unique<app::MainWindow>(s);
        w->show();
        QElapsedTimer waited;
        waited.start();
        while (!(w->windowHandle() && w->windowHandle()->isExposed()) && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    ~Window() {
        w.reset();
        std::filesystem::remove_all(folder);
    }
};

// Ends when the widget has painted after `ready` became true.
class PaintWatch : public QObject {
public:
    PaintWatch(QWidget* widget, std::function<bool()> ready)
        : widget_(widget), ready_(std::move(ready)) {
        widget_->installEventFilter(this);
    }
    ~PaintWatch() override { widget_->removeEventFilter(this); }
    bool done = false;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint && ready_()) done = true;
        return false;
    }

private:
    QWidget* widget_;
    std::function<bool()> ready_;
};

void ShowPageTimed(benchmark::State& state, bool online, int page) {
    Window window(online);
    app::MainWindow& w = *window.w;
    for (auto _ : state) {
        w.showPage(1);
        QCoreApplication::processEvents();
        // The web page loads once; later visits show it as it is.
        bool shown = page != 6 || !online || w.resourcesPageLoaded();
        QMetaObject::Connection c =
            QObject::connect(w.resourcesViewer(), &pages::ResourcesViewer::pageShown,
                             [&shown](bool) { shown = true; });
        QWidget* target =
            online && page == 6 ? w.resourcesViewer()->view().viewport() : w.bodyText()->viewport();
        PaintWatch watch(target, [&shown] { return shown; });
        QElapsedTimer timer;
        timer.start();
        w.showPage(page);
        while (!watch.done && timer.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        QObject::disconnect(c);
        if (!watch.done) state.SkipWithError("the page was not painted");
    }
}

void BM_Page6FirstShow_Online_LocalServer(benchmark::State& state) {
    ShowPageTimed(state, true, 6);
}
void BM_Page6Show_Offline(benchmark::State& state) {
    ShowPageTimed(state, false, 6);
}
void BM_Page7Show(benchmark::State& state) {
    ShowPageTimed(state, false, 7);
}

}  // namespace

BENCHMARK(BM_IsOnline_LocalDnsmasq)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(5);
BENCHMARK(BM_BareUdpExchange_LocalDnsmasq)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->Repetitions(5);
BENCHMARK(BM_GlibcResNquery_LocalDnsmasq)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->Repetitions(5);
BENCHMARK(BM_Page6FirstShow_Online_LocalServer)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20)
    ->Repetitions(3);
BENCHMARK(BM_Page6Show_Offline)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20)
    ->Repetitions(3);
BENCHMARK(BM_Page7Show)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20)
    ->Repetitions(3);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app::Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
