// SPDX-License-Identifier: GPL-3.0-or-later
// The program's pictures as the window and the pages load them: every name is in the
// resource table with its type and exact pixel size, decodes, and the skin keeps the
// window's see-through key colour in its rounded corners and nowhere else.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "pages/page_images.h"
#include "platform/resources.h"

namespace {

using dorvane::platform::HasResource;
using dorvane::platform::LoadResource;
using dorvane::platform::ResourceNames;

const QRgb kKey = qRgb(101, 67, 33);
constexpr int kWindowW = 678, kWindowH = 517;

struct Picture {
    const char* type;
    const char* name;
    int width, height;
};

// Page images and their pressed faces.
const std::vector<Picture> kPageImages = {
    {"GIF", "gifSpacer", 1, 1},
    {"GIF", "gifBar", 376, 7},
    {"GIF", "gifAboutDV", 384, 412},
    {"GIF", "gifClickStartNow_up", 140, 31},
    {"BITMAP", "bmpClickStartNow_down", 140, 31},
    {"GIF", "gifClickFindImage_up", 81, 22},
    {"BITMAP", "bmpClickFindImage_down", 81, 22},
    {"GIF", "gifClickContinue_up", 81, 23},
    {"BITMAP", "bmpClickContinue_down", 81, 23},
    {"GIF", "gifClickPreview_up", 81, 21},
    {"BITMAP", "bmpClickPreview_down", 81, 21},
    {"GIF", "gifClickSave_up", 81, 21},
    {"BITMAP", "bmpClickSave_down", 81, 21},
    {"GIF", "gifClickSetBack_up", 121, 21},
    {"BITMAP", "bmpClickSetBack_down", 121, 21},
    {"GIF", "gifClickLoad_up", 81, 21},
    {"BITMAP", "bmpClickLoad_down", 81, 21},
    {"GIF", "gifClickDelete_up", 80, 20},
    {"BITMAP", "bmpClickDelete_down", 80, 20},
};

// The skin, with the place of each picture in the window.
struct SkinPiece {
    const char* name;
    int left, top, width, height;
};
const std::vector<SkinPiece> kSkin = {
    {"imgBorderTop", 0, 0, 680, 38},      {"imgHeader", 0, 38, 680, 27},
    {"imgBorderLeft", 0, 65, 10, 413},    {"imgButtonBottom", 10, 260, 110, 218},
    {"imgButtonsSide", 120, 65, 11, 413}, {"imgBodyTop", 131, 65, 385, 1},
    {"imgQuote", 516, 65, 144, 413},      {"imgBorderRight", 660, 65, 20, 413},
    {"imgBorderBottom", 0, 478, 680, 41},
};

// Button faces: base name and size; each has an _up and a _down face.
const std::vector<Picture> kButtons = {
    {"BITMAP", "btn_1", 110, 39},     {"BITMAP", "btn_2", 110, 39},
    {"BITMAP", "btn_3", 110, 39},     {"BITMAP", "btn_4", 110, 39},
    {"BITMAP", "btn_5", 110, 39},     {"BITMAP", "btn_addRes", 101, 66},
    {"BITMAP", "btn_about", 101, 25}, {"BITMAP", "btn_min", 19, 19},
    {"BITMAP", "btn_close", 19, 19},
};

QImage Decode(const char* type, const std::string& name) {
    auto bytes = LoadResource(type, name);
    QImage img;
    img.loadFromData(bytes.data(), static_cast<int>(bytes.size()));
    return img.convertToFormat(QImage::Format_ARGB32);
}

std::string Magic(const char* type, const std::string& name) {
    auto bytes = LoadResource(type, name);
    return std::string(bytes.begin(), bytes.begin() + std::min<size_t>(6, bytes.size()));
}

void ExpectPicture(const char* type, const std::string& name, int w, int h) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(HasResource(type, name));
    std::string magic = Magic(type, name);
    if (std::string(type) == "GIF")
        EXPECT_TRUE(magic == "GIF89a" || magic == "GIF87a") << magic;
    else
        EXPECT_EQ(magic.substr(0, 2), "BM") << "not a Windows bitmap";
    QImage img = Decode(type, name);
    ASSERT_FALSE(img.isNull()) << "does not decode";
    EXPECT_EQ(img.width(), w);
    EXPECT_EQ(img.height(), h);
}

int CountKey(const QImage& img, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) == (kKey & 0xFFFFFF)) ++n;
    return n;
}

// Mean difference of the colour channels of two pictures of one size, 0..255.
double MeanDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

// The share of the 2 x 2 blocks of a picture whose four pixels differ: 0 for a
// picture that is a pixel-doubled copy of one at half its size.
double FinerThanOnePixel(const QImage& img) {
    int blocks = 0, detailed = 0;
    for (int y = 0; y + 1 < img.height(); y += 2)
        for (int x = 0; x + 1 < img.width(); x += 2) {
            const QRgb p = img.pixel(x, y);
            ++blocks;
            if (img.pixel(x + 1, y) != p || img.pixel(x, y + 1) != p ||
                img.pixel(x + 1, y + 1) != p)
                ++detailed;
        }
    return blocks ? double(detailed) / blocks : 0;
}

TEST(Artwork, PageImagesAndPressedFacesHaveTheirTypesAndSizes) {
    for (const auto& p : kPageImages) ExpectPicture(p.type, p.name, p.width, p.height);
}

TEST(Artwork, SkinPicturesHaveTheirSizes) {
    for (const auto& s : kSkin) ExpectPicture("BITMAP", s.name, s.width, s.height);
}

TEST(Artwork, ButtonFacesHaveBothStatesAtTheirSizes) {
    for (const auto& b : kButtons)
        for (const char* state : {"_up", "_down"})
            ExpectPicture(b.type, std::string(b.name) + state, b.width, b.height);
}

TEST(Artwork, NamesResolveInAnyLetterCase) {
    EXPECT_TRUE(HasResource("GIF", "GIFCLICKSAVE_UP"));
    EXPECT_TRUE(HasResource("BITMAP", "BMPCLICKSAVE_DOWN"));
    EXPECT_TRUE(HasResource("BITMAP", "BTN_ADDRES_UP"));
    EXPECT_TRUE(HasResource("bitmap", "imgborderTOP"));
}

// The pages find a pressed face by name: "bmp" + the image name without its first
// three and last two characters + "down"; it must exist at the image's size.
TEST(Artwork, EveryClickImageHasAPressedFaceOfItsSize) {
    int clickImages = 0;
    for (const std::string& name : ResourceNames("GIF")) {
        if (!dorvane::pages::IsClickImage(name) || name.find('@') != std::string::npos) continue;
        ++clickImages;
        std::string down = dorvane::pages::PressedFaceName(name);
        EXPECT_EQ(dorvane::pages::ImageResourceType(down), "BITMAP");
        SCOPED_TRACE(name + " -> " + down);
        ASSERT_TRUE(HasResource("BITMAP", down));
        QImage up = Decode("GIF", name), pressed = Decode("BITMAP", down);
        EXPECT_EQ(up.size(), pressed.size());
    }
    EXPECT_EQ(clickImages, 8);
}

TEST(Artwork, SpacerIsOneTransparentPixel) {
    QImage spacer = Decode("GIF", "gifSpacer");
    ASSERT_EQ(spacer.size(), QSize(1, 1));
    EXPECT_EQ(qAlpha(spacer.pixel(0, 0)), 0);
}

// Rounded corners: a quarter circle of 23 key pixels in each 7 x 7 corner of the
// window as shown (the pictures reach 2 pixels beyond the window's right and
// bottom edges; the corners sit where the window ends).
TEST(Artwork, TopAndBottomBordersCarryTheKeyColourInTheirCorners) {
    QImage top = Decode("BITMAP", "imgBorderTop");
    QImage bottom = Decode("BITMAP", "imgBorderBottom");
    const int right = kWindowW - 7, lowest = kWindowH - 478 - 7;
    const std::vector<std::pair<const QImage*, QPoint>> corners = {
        {&top, {0, 0}}, {&top, {right, 0}}, {&bottom, {0, lowest}}, {&bottom, {right, lowest}}};
    for (const auto& [img, at] : corners) {
        SCOPED_TRACE(testing::Message() << "corner at " << at.x() << "," << at.y());
        QRect area(at, QSize(7, 7));
        EXPECT_EQ(CountKey(*img, area), 23);
        // The outermost pixel is see-through, the innermost is not.
        int ox = at.x() == 0 ? 0 : 6, oy = at.y() == 0 ? 0 : 6;
        EXPECT_EQ(img->pixel(at.x() + ox, at.y() + oy) & 0xFFFFFF, kKey & 0xFFFFFF);
        EXPECT_NE(img->pixel(at.x() + 6 - ox, at.y() + 6 - oy) & 0xFFFFFF, kKey & 0xFFFFFF);
    }
    // The pictures' own far corners lie outside the window and are see-through too.
    EXPECT_EQ(top.pixel(679, 0) & 0xFFFFFF, kKey & 0xFFFFFF);
    EXPECT_EQ(bottom.pixel(679, 40) & 0xFFFFFF, kKey & 0xFFFFFF);
}

// Any other pixel of the key colour would punch a hole into the window.
TEST(Artwork, KeyColourAppearsNowhereElseInTheWindow) {
    const QRect window(0, 0, kWindowW, kWindowH);
    for (const auto& s : kSkin) {
        SCOPED_TRACE(s.name);
        QImage img = Decode("BITMAP", s.name);
        QRect shown = QRect(s.left, s.top, s.width, s.height).intersected(window);
        shown.translate(-s.left, -s.top);
        int corners = 0;
        if (std::string(s.name) == "imgBorderTop" || std::string(s.name) == "imgBorderBottom")
            corners = 2 * 23;
        EXPECT_EQ(CountKey(img, shown), corners);
    }
    for (const auto& b : kButtons)
        for (const char* state : {"_up", "_down"}) {
            QImage img = Decode("BITMAP", std::string(b.name) + state);
            EXPECT_EQ(CountKey(img, img.rect()), 0) << b.name << state;
        }
    for (const auto& p : kPageImages) {
        QImage img = Decode(p.type, p.name);
        EXPECT_EQ(CountKey(img, img.rect()), 0) << p.name;
    }
}

// A pressed face must look pressed: clearly different from its up face.
TEST(Artwork, PressedFacesVisiblyDifferFromUpFaces) {
    for (const auto& b : kButtons) {
        QImage up = Decode("BITMAP", std::string(b.name) + "_up");
        QImage down = Decode("BITMAP", std::string(b.name) + "_down");
        EXPECT_GT(MeanDifference(up, down), 12.0) << b.name;
    }
    for (const auto& p : kPageImages) {
        std::string name = p.name;
        if (name.rfind("bmpClick", 0) != 0) continue;
        std::string up = "gif" + name.substr(3, name.size() - 7) + "up";
        EXPECT_GT(MeanDifference(Decode("GIF", up), Decode("BITMAP", name)), 6.0) << name;
    }
}

// The about, minimise and close faces are drawn with their bottom-left colour left
// out; that colour must be the skin's colour under them, or their edges would
// show a fringe.
TEST(Artwork, TransparentFacesStandOnTheColourOfTheSkinBelowThem) {
    struct Placed {
        const char* face;
        const char* skin;
        QPoint bottomLeftInSkin;
    };
    const std::vector<Placed> placed = {
        {"btn_about", "imgButtonBottom", {15 - 10, 450 + 24 - 260}},
        {"btn_min", "imgBorderTop", {624, 12 + 18}},
        {"btn_close", "imgBorderTop", {647, 12 + 18}},
    };
    for (const auto& p : placed)
        for (const char* twin : {"", "@2x"}) {
            const int zoom = *twin ? 2 : 1;
            QImage skin = Decode("BITMAP", std::string(p.skin) + twin);
            for (const char* state : {"_up", "_down"}) {
                QImage face = Decode("BITMAP", std::string(p.face) + state + twin);
                const QPoint below = p.bottomLeftInSkin * zoom + QPoint(0, zoom - 1);
                EXPECT_EQ(face.pixel(0, face.height() - 1), skin.pixel(below))
                    << p.face << state << twin;
            }
        }
}

// Every piece of artwork has a twin drawn at twice the resolution for HiDPI
// screens: same type, exactly twice the size, the same picture (its 2 x 2 average
// is close to the 1x one), and drawn again rather than pixel-doubled.
TEST(Artwork, EveryPictureHasATwinDrawnAtTwiceTheResolution) {
    int twins = 0;
    for (const char* type : {"GIF", "BITMAP"})
        for (const std::string& name : ResourceNames(type)) {
            if (name.find('@') != std::string::npos) continue;
            SCOPED_TRACE(name);
            ++twins;
            ASSERT_TRUE(HasResource(type, name + "@2x"));
            const QImage one = Decode(type, name), two = Decode(type, name + "@2x");
            ASSERT_EQ(two.size(), one.size() * 2);
            if (name == "gifSpacer") continue;  // one see-through pixel: nothing to draw
            const QImage reduced =
                two.scaled(one.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            EXPECT_LT(MeanDifference(reduced, one), 16.0) << "not the same picture";
            // Only a picture of one colour may look pixel-doubled.
            const QImage fill = [&] {
                QImage f(one.size(), one.format());
                f.fill(one.pixel(0, 0));
                return f;
            }();
            EXPECT_TRUE(one == fill || FinerThanOnePixel(two) > 0) << "a pixel-doubled copy";
        }
    EXPECT_EQ(twins, 19 + 9 + 18);
    EXPECT_FALSE(HasResource("RCDATA", "picPhoto1@2x"));  // photographs are not artwork
}

// The twins' corners: the same quarter circle traced at the finer grid, about four
// times the 1x corner's 23 pixels, and the key colour nowhere else.
TEST(Artwork, TwinBordersCarryTheKeyColourOnlyInTheirCorners) {
    const int right = 2 * kWindowW - 16, lowest = 2 * (kWindowH - 478) - 16;
    for (const char* name : {"imgBorderTop", "imgBorderBottom"}) {
        const QImage img = Decode("BITMAP", std::string(name) + "@2x");
        const int top = std::string(name) == "imgBorderTop" ? 0 : lowest;
        int corners = 0;
        for (int left : {0, right}) {
            const int n = CountKey(img, QRect(left, top, 16, 16));
            EXPECT_NEAR(n, 4 * 23, 4) << name << " corner at " << left;
            corners += n;
        }
        const QRect shown(0, 0, 2 * kWindowW, std::min(img.height(), 2 * (kWindowH - 478)));
        EXPECT_EQ(CountKey(img, shown), corners) << name;
    }
    for (const auto& s : kSkin) {
        if (std::string(s.name) == "imgBorderTop" || std::string(s.name) == "imgBorderBottom")
            continue;
        const QImage img = Decode("BITMAP", std::string(s.name) + "@2x");
        EXPECT_EQ(CountKey(img, img.rect()), 0) << s.name;
    }
}

}  // namespace
