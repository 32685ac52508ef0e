// SPDX-License-Identifier: GPL-3.0-or-later
// Parse + lay out + paint: a typical page (30 paragraphs, two tables, ten images) at
// 529 pixels, and a 1 MB document, with the font measurements cold and warm.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>

#include "htmlview/html_view.h"
#include "htmlview/layout.h"
#include "htmlview/painter.h"
#include "htmlview/parser.h"

namespace {

using namespace dorvane::htmlview;

const char kWords[] =
    "Goals that are written down are goals that get done because you see them every day and "
    "your mind starts to look for ways to reach them without you noticing it at all ";

QByteArray Paragraph(int i) {
    return "<p>" + QByteArray(i % 5 == 0 ? "<strong>A sub-heading</strong><br />" : "") + kWords +
           "<em>" + QByteArray::number(i) + "</em> " + kWords + "</p>\n";
}

QByteArray TypicalPage() {
    QByteArray html =
        "<?xml version=\"1.0\" encoding=\"iso-8859-2\"?><!DOCTYPE html><html><head>"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-2\" />"
        "</head><body><a name=\"top\" id=\"top\"></a><img src=\"gifSpacer\" width=\"1\" "
        "height=\"10\" /><div align=\"center\"><font size=\"+1\"><strong>Heading line</strong>"
        "</font></div>\n";
    for (int i = 0; i < 30; ++i) {
        html += Paragraph(i);
        if (i == 10 || i == 20)
            html +=
                "<table width=\"370\" align=\"center\" bgcolor=\"#CCCCCC\" cellpadding=\"6\">"
                "<tr><td><em>&raquo;A quotation that runs over two lines of the grey box "
                "to look like the real thing.&laquo;</em><div align=\"right\">- An Author"
                "</div></td></tr></table>\n";
        if (i % 3 == 0)
            html += "<p align=\"center\"><a href=\"linkPage" + QByteArray::number(i) +
                    "\"><img src=\"gifClick" + QByteArray::number(i) +
                    "_up\" width=\"80\" height=\"21\" border=\"0\" /></a></p>\n";
    }
    return html + "</body></html>";
}

QByteArray Megabyte() {
    QByteArray html = "<html><body>";
    for (int i = 0; html.size() < 1024 * 1024; ++i) {
        html += Paragraph(i);
        if (i % 50 == 0)
            html += "<table width=\"100%\" border=\"1\"><tr><td width=\"45\">Cell</td><td>" +
                    QByteArray(kWords) + "</td></tr></table>";
    }
    return html + "</body></html>";
}

QByteArray Png(QSize size) {
    QImage img(size, QImage::Format_ARGB32);
    img.fill(Qt::darkBlue);
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    img.save(&b, "PNG");
    return b.data();
}

// Everything the view does for a page, without the widget.
void ParseLayPaint(benchmark::State& state, const QByteArray& html, int paintHeight, bool warm) {
    const QImage picture(81, 23, QImage::Format_ARGB32);
    auto fonts = std::make_shared<FontCache>();
    QImage target(529, paintHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        Document doc = ParseHtmlBytes(html, 238);
        int bg = -1;
        std::vector<int> controls;
        const std::vector<QString> images = NumberObjects(doc, &bg, &controls);
        LayoutOptions o;
        o.imageSize = [&](int) { return picture.size(); };
        const LayoutResult r = LayoutDocument(doc, 529, o, warm ? fonts : nullptr);
        QPainter p(&target);
        PaintOptions po;
        po.image = [&](int) { return &picture; };
        PaintLayout(p, r, po, QRectF(0, 0, 529, std::min<double>(paintHeight, r.height)));
        benchmark::DoNotOptimize(r.height);
    }
    state.SetBytesProcessed(state.iterations() * html.size());
}

void BM_TypicalPage_WholePage(benchmark::State& state) {
    ParseLayPaint(state, TypicalPage(), 4000, state.range(0) != 0);
}
BENCHMARK(BM_TypicalPage_WholePage)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("warmFonts")
    ->Unit(benchmark::kMillisecond);

void BM_Megabyte_FirstScreen(benchmark::State& state) {
    ParseLayPaint(state, Megabyte(), 412, state.range(0) != 0);
}
BENCHMARK(BM_Megabyte_FirstScreen)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("warmFonts")
    ->Unit(benchmark::kMillisecond);

// The parts alone: parsing, and parsing with layout.
void BM_Megabyte_Parts(benchmark::State& state) {
    const QByteArray html = Megabyte();
    const QImage picture(81, 23, QImage::Format_ARGB32);
    auto fonts = std::make_shared<FontCache>();
    for (auto _ : state) {
        Document doc = ParseHtmlBytes(html, 238);
        if (state.range(0) == 0) continue;
        int bg = -1;
        std::vector<int> controls;
        NumberObjects(doc, &bg, &controls);
        LayoutOptions o;
        o.imageSize = [&](int) { return picture.size(); };
        benchmark::DoNotOptimize(LayoutDocument(doc, 529, o, fonts).height);
    }
}
BENCHMARK(BM_Megabyte_Parts)->Arg(0)->Arg(1)->ArgName("withLayout")->Unit(benchmark::kMillisecond);

// The typical page step by step: 0 parse, 1 and lay out, 2 and paint the first screen.
void BM_TypicalPage_Steps(benchmark::State& state) {
    const QByteArray html = TypicalPage();
    const QImage picture(81, 23, QImage::Format_ARGB32);
    auto fonts = std::make_shared<FontCache>();
    QImage target(529, 412, QImage::Format_RGB32);
    for (auto _ : state) {
        Document doc = ParseHtmlBytes(html, 238);
        if (state.range(0) == 0) continue;
        int bg = -1;
        std::vector<int> controls;
        NumberObjects(doc, &bg, &controls);
        LayoutOptions o;
        o.imageSize = [&](int) { return picture.size(); };
        const LayoutResult r = LayoutDocument(doc, 529, o, fonts);
        if (state.range(0) == 1) continue;
        QPainter p(&target);
        PaintOptions po;
        po.image = [&](int) { return &picture; };
        PaintLayout(p, r, po, QRectF(0, 0, 529, 412));
    }
}
BENCHMARK(BM_TypicalPage_Steps)->DenseRange(0, 2)->ArgName("step")->Unit(benchmark::kMillisecond);

// The widget itself: load (image requests and decoding included) and paint one screen.
void BM_TypicalPage_View(benchmark::State& state) {
    const QByteArray html = TypicalPage();
    const QByteArray button = Png({81, 23});
    const QByteArray spacer = Png({1, 1});
    HtmlView view;
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.resize(529, 412);
    view.show();
    view.OnImageRequest = [&](HtmlView&, const QString& name) {
        return name == QLatin1String("gifSpacer") ? spacer : button;
    };
    QImage target(529, 412, QImage::Format_RGB32);
    for (auto _ : state) {
        view.loadFromString(html);
        QPainter p(&target);
        view.renderDocument(p, QRect(0, 0, 529, 412));
    }
}
BENCHMARK(BM_TypicalPage_View)->Unit(benchmark::kMillisecond);

// Hostile documents through the view (parse, form controls, layout), 1 to 16 MB: a
// constant rate across the sizes shows linear work. One tag with many quoted
// attributes, and page after page of form inputs.
QByteArray Repeated(const QByteArray& head, const QByteArray& piece, qsizetype bytes) {
    QByteArray html = head;
    html.reserve(bytes + piece.size());
    while (html.size() < bytes) html += piece;
    return html;
}

void LoadHostile(benchmark::State& state, const QByteArray& html) {
    HtmlView view;
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.resize(529, 412);
    view.show();
    std::size_t controls = 0;
    for (auto _ : state) {
        view.loadFromString(html);
        state.PauseTiming();
        controls = view.formControls().size();
        view.loadFromString({});  // the old controls go now, not inside the next load
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["controls"] = double(controls);
    state.SetBytesProcessed(state.iterations() * html.size());
}

void BM_Hostile_QuotedAttributes(benchmark::State& state) {
    LoadHostile(state, Repeated("<p", " title=\"a value\"", state.range(0) << 20) + ">text</p>");
}
BENCHMARK(BM_Hostile_QuotedAttributes)
    ->RangeMultiplier(4)
    ->Range(1, 16)
    ->ArgName("MB")
    ->Unit(benchmark::kMillisecond);

void BM_Hostile_FormInputs(benchmark::State& state) {
    LoadHostile(state, Repeated("<form>", "<input type=text name=g size=3>", state.range(0) << 20));
}
BENCHMARK(BM_Hostile_FormInputs)
    ->RangeMultiplier(4)
    ->Range(1, 16)
    ->ArgName("MB")
    ->Unit(benchmark::kMillisecond);

}  // namespace
