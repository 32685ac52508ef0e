// SPDX-License-Identifier: GPL-3.0-or-later
// Root-window background through xcb, as the other setters of the convention do it
// (a pixmap kept with RetainPermanent, the earlier setter's client killed).
#include "platform/wallpaper/x11_root.h"

#include <xcb/randr.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/error.h"
#include "imaging/scale.h"
#include "platform/wallpaper/x11_connection.h"
#include "platform/wallpaper/x11_pixels.h"
#include "platform/wallpaper/x11_shared_memory.h"

namespace dorvane::platform::wallpaper::x11 {
namespace {

struct Rect {
    int x, y, width, height;
    std::string name;  // the RandR monitor's; empty for the whole root
};

std::string AtomName(Connection& c, xcb_atom_t atom) {
    auto* reply = xcb_get_atom_name_reply(c.get(), xcb_get_atom_name(c.get(), atom), nullptr);
    if (reply == nullptr) return {};
    std::string name(xcb_get_atom_name_name(reply),
                     static_cast<std::size_t>(xcb_get_atom_name_name_length(reply)));
    std::free(reply);
    return name;
}

// Active monitors from RandR 1.5, clipped to the root; the whole root without them.
std::vector<Rect> Monitors(Connection& c) {
    const Rect whole{0, 0, c.screen().width_in_pixels, c.screen().height_in_pixels, {}};
    std::vector<Rect> rects;
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c.get(), &xcb_randr_id);
    if (ext == nullptr || !ext->present) return {whole};
    auto* version =
        xcb_randr_query_version_reply(c.get(), xcb_randr_query_version(c.get(), 1, 5), nullptr);
    const bool recent =
        version != nullptr && (version->major_version > 1 || version->minor_version >= 5);
    std::free(version);
    if (!recent) return {whole};
    auto* reply = xcb_randr_get_monitors_reply(
        c.get(), xcb_randr_get_monitors(c.get(), c.root(), 1), nullptr);
    if (reply == nullptr) return {whole};
    for (auto it = xcb_randr_get_monitors_monitors_iterator(reply); it.rem > 0;
         xcb_randr_monitor_info_next(&it)) {
        const int x0 = std::max<int>(it.data->x, 0), y0 = std::max<int>(it.data->y, 0);
        const int x1 = std::min<int>(it.data->x + it.data->width, whole.width);
        const int y1 = std::min<int>(it.data->y + it.data->height, whole.height);
        if (x1 > x0 && y1 > y0)
            rects.push_back({x0, y0, x1 - x0, y1 - y0, AtomName(c, it.data->name)});
    }
    std::free(reply);
    return rects.empty() ? std::vector<Rect>{whole} : rects;
}

PixelFormat FormatOf(Connection& c) {
    const xcb_setup_t* setup = xcb_get_setup(c.get());
    const std::uint8_t depth = c.screen().root_depth;
    PixelFormat f;
    f.bitsPerPixel = 0;
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem > 0; xcb_format_next(&it)) {
        if (it.data->depth != depth) continue;
        f.bitsPerPixel = it.data->bits_per_pixel;
        f.scanlinePad = it.data->scanline_pad;
    }
    f.msbFirst = setup->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST;
    for (auto d = xcb_screen_allowed_depths_iterator(&c.screen()); d.rem > 0; xcb_depth_next(&d)) {
        for (auto v = xcb_depth_visuals_iterator(d.data); v.rem > 0; xcb_visualtype_next(&v)) {
            if (v.data->visual_id != c.screen().root_visual) continue;
            if (v.data->_class != XCB_VISUAL_CLASS_TRUE_COLOR &&
                v.data->_class != XCB_VISUAL_CLASS_DIRECT_COLOR)
                throw base::Error("the root window is not true colour");
            f.redMask = v.data->red_mask;
            f.greenMask = v.data->green_mask;
            f.blueMask = v.data->blue_mask;
        }
    }
    if (!IsSupported(f))
        throw base::Error("the root window's pixel layout (depth " + std::to_string(depth) + ", " +
                          std::to_string(f.bitsPerPixel) + " bits a pixel) is not supported");
    return f;
}

// The picture at the monitor's size (the picture itself when it fits already).
const imaging::Bitmap& Stretched(const imaging::Bitmap& picture, const Rect& r,
                                 imaging::Bitmap& scratch) {
    if (picture.width() == r.width && picture.height() == r.height) return picture;
    scratch.resize(r.width, r.height);
    imaging::ScaleBitmap(picture, scratch);
    return scratch;
}

// Through the socket: requests of a few MiB at most, within the server's
// (big-requests) limit.
void PutPictureBySocket(Connection& c, xcb_pixmap_t pixmap, xcb_gcontext_t gc,
                        const imaging::Bitmap& picture, const Rect& r, const PixelFormat& format) {
    const std::size_t limit = std::min<std::size_t>(
        std::size_t{xcb_get_maximum_request_length(c.get())} * 4, std::size_t{4} << 20);
    const std::size_t rowBytes = PackedRowBytes(r.width, format);
    const std::size_t header = sizeof(xcb_put_image_request_t);
    if (rowBytes + header > limit) throw base::Error("a screen row is too wide for the X server");
    const int rowsPerRequest = static_cast<int>((limit - header) / rowBytes);
    std::vector<std::uint8_t> packed;
    for (int y = 0; y < r.height; y += rowsPerRequest) {
        const int rows = std::min(rowsPerRequest, r.height - y);
        PackRows(picture, y, rows, format, packed);
        xcb_put_image(c.get(), XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc,
                      static_cast<std::uint16_t>(r.width), static_cast<std::uint16_t>(rows),
                      static_cast<std::int16_t>(r.x), static_cast<std::int16_t>(r.y + y), 0,
                      c.screen().root_depth, static_cast<std::uint32_t>(packed.size()),
                      packed.data());
    }
}

// Bytes of each of the two halves of the shared segment.
constexpr std::size_t kSharedHalfBytes = std::size_t{2} << 20;

// Through shared memory: bands of rows packed into the two halves of one segment
// in turn, so that we pack one while the server copies the other. A half is
// packed again only once the server has answered a request sent after its image.
void PutPictureShared(Connection& c, SharedMemory& shared, xcb_pixmap_t pixmap, xcb_gcontext_t gc,
                      const imaging::Bitmap& picture, const Rect& r, const PixelFormat& format) {
    const std::size_t rowBytes = PackedRowBytes(r.width, format);
    const int rowsPerBand = static_cast<int>(shared.size() / 2 / rowBytes);
    std::optional<xcb_get_input_focus_cookie_t> done[2];
    for (int y = 0, band = 0; y < r.height; y += rowsPerBand, band ^= 1) {
        if (done[band]) std::free(xcb_get_input_focus_reply(c.get(), *done[band], nullptr));
        const int rows = std::min(rowsPerBand, r.height - y);
        const std::size_t offset = static_cast<std::size_t>(band) * (shared.size() / 2);
        PackRowsInto(picture, y, rows, format, shared.data() + offset);
        xcb_shm_put_image(c.get(), pixmap, gc, static_cast<std::uint16_t>(r.width),
                          static_cast<std::uint16_t>(rows), 0, 0,
                          static_cast<std::uint16_t>(r.width), static_cast<std::uint16_t>(rows),
                          static_cast<std::int16_t>(r.x), static_cast<std::int16_t>(r.y + y),
                          c.screen().root_depth, XCB_IMAGE_FORMAT_Z_PIXMAP, 0, shared.segment(),
                          static_cast<std::uint32_t>(offset));
        done[band] = xcb_get_input_focus(c.get());
        xcb_flush(c.get());
    }
    for (auto& cookie : done)
        if (cookie) std::free(xcb_get_input_focus_reply(c.get(), *cookie, nullptr));
}

void PutPicture(Connection& c, SharedMemory* shared, xcb_pixmap_t pixmap, xcb_gcontext_t gc,
                const imaging::Bitmap& picture, const Rect& r, const PixelFormat& format) {
    // A row too wide for a half (over half a million pixels) goes by the socket.
    if (shared != nullptr && PackedRowBytes(r.width, format) <= shared->size() / 2)
        PutPictureShared(c, *shared, pixmap, gc, picture, r, format);
    else
        PutPictureBySocket(c, pixmap, gc, picture, r, format);
}

// The picture for a monitor, or none to keep what the root showed there.
using PictureFor = std::function<const imaging::Bitmap*(const Rect& monitor)>;

// A new root-sized pixmap: what `earlier` shows when it is a pixmap of the root's
// size (so that monitors without a picture keep theirs), black otherwise, and
// each monitor's picture over it.
xcb_pixmap_t PaintPixmap(Connection& c, const PictureFor& pictureFor, std::uint32_t earlier,
                         Upload upload) {
    const PixelFormat format = FormatOf(c);
    const xcb_screen_t& s = c.screen();
    const xcb_pixmap_t pixmap = xcb_generate_id(c.get());
    xcb_create_pixmap(c.get(), s.root_depth, pixmap, c.root(), s.width_in_pixels,
                      s.height_in_pixels);
    const xcb_gcontext_t gc = xcb_generate_id(c.get());
    const std::uint32_t black = s.black_pixel;
    xcb_create_gc(c.get(), gc, pixmap, XCB_GC_FOREGROUND, &black);
    const std::vector<Rect> monitors = Monitors(c);
    // Black where no monitor shows the root (nowhere when one with a picture
    // covers it all).
    const bool covered = std::any_of(monitors.begin(), monitors.end(), [&](const Rect& r) {
        return r.x == 0 && r.y == 0 && r.width == s.width_in_pixels &&
               r.height == s.height_in_pixels && pictureFor(r) != nullptr;
    });
    if (!covered) {
        const xcb_rectangle_t all{0, 0, s.width_in_pixels, s.height_in_pixels};
        xcb_poly_fill_rectangle(c.get(), pixmap, gc, 1, &all);
    }
    if (earlier != 0 && std::any_of(monitors.begin(), monitors.end(),
                                    [&](const Rect& r) { return pictureFor(r) == nullptr; })) {
        auto* geometry =
            xcb_get_geometry_reply(c.get(), xcb_get_geometry(c.get(), earlier), nullptr);
        const bool sameSize = geometry != nullptr && geometry->width == s.width_in_pixels &&
                              geometry->height == s.height_in_pixels &&
                              geometry->depth == s.root_depth;
        std::free(geometry);
        // Another client may free it meanwhile; then the black stays.
        if (sameSize)
            std::free(xcb_request_check(
                c.get(), xcb_copy_area_checked(c.get(), earlier, pixmap, gc, 0, 0, 0, 0,
                                               s.width_in_pixels, s.height_in_pixels)));
    }
    imaging::Bitmap scratch;
    std::unique_ptr<SharedMemory> shared;
    if (upload == Upload::kAny) shared = SharedMemory::Attach(c, 2 * kSharedHalfBytes);
    for (const Rect& r : monitors)
        if (const imaging::Bitmap* picture = pictureFor(r))
            PutPicture(c, shared.get(), pixmap, gc, Stretched(*picture, r, scratch), r, format);
    shared.reset();
    xcb_free_gc(c.get(), gc);
    c.sync("the new root pixmap");
    return pixmap;
}

// Paints a new root pixmap, makes it the root's background and the two
// properties, and frees the previous setter's pixmap.
std::uint32_t Publish(const PictureFor& pictureFor, Upload upload) {
    Connection c;
    const xcb_atom_t xroot = c.atom("_XROOTPMAP_ID");
    const xcb_atom_t esetroot = c.atom("ESETROOT_PMAP_ID");
    const std::uint32_t oldRoot = c.rootPixmapProperty(xroot);
    const std::uint32_t oldEsetroot = c.rootPixmapProperty(esetroot);
    const xcb_pixmap_t pixmap = PaintPixmap(c, pictureFor, oldRoot, upload);

    xcb_grab_server(c.get());
    xcb_change_property(c.get(), XCB_PROP_MODE_REPLACE, c.root(), xroot, XCB_ATOM_PIXMAP, 32, 1,
                        &pixmap);
    xcb_change_property(c.get(), XCB_PROP_MODE_REPLACE, c.root(), esetroot, XCB_ATOM_PIXMAP, 32, 1,
                        &pixmap);
    xcb_change_window_attributes(c.get(), c.root(), XCB_CW_BACK_PIXMAP, &pixmap);
    xcb_clear_area(c.get(), 0, c.root(), 0, 0, 0, 0);
    xcb_ungrab_server(c.get());
    c.sync("the root window's background");
    // The earlier setter kept its pixmap alive by keeping its client; ending that
    // client frees it. Only when both properties name it, so a live program's own
    // pixmap is never touched. It may be gone already, which is no error.
    if (oldEsetroot != 0 && oldEsetroot == oldRoot && oldEsetroot != pixmap)
        std::free(xcb_request_check(c.get(), xcb_kill_client_checked(c.get(), oldEsetroot)));
    if (c.rootPixmapProperty(xroot) != pixmap)
        throw base::Error("_XROOTPMAP_ID does not name the new pixmap after setting it");
    // Last, so that every failure above frees the pixmap with our connection.
    xcb_set_close_down_mode(c.get(), XCB_CLOSE_DOWN_RETAIN_PERMANENT);
    c.sync("keeping the root pixmap");
    return pixmap;
}

}  // namespace

std::uint32_t RootPixmapId() {
    Connection c;
    return c.rootPixmapProperty(c.atom("_XROOTPMAP_ID"));
}

std::uint32_t SetRootPicture(const imaging::Bitmap& picture, Upload upload) {
    if (picture.empty()) throw base::Error("the picture is empty");
    return Publish([&](const Rect&) { return &picture; }, upload);
}

std::uint32_t SetMonitorPictures(const std::map<std::string, const imaging::Bitmap*>& pictures,
                                 std::vector<std::string>* unknown) {
    for (const auto& [name, picture] : pictures)
        if (picture == nullptr || picture->empty())
            throw base::Error("the picture for " + name + " is empty");
    std::set<std::string> used;
    const std::uint32_t pixmap = Publish(
        [&](const Rect& r) -> const imaging::Bitmap* {
            // Without RandR monitors the root is one screen: a lone picture fills it.
            auto it =
                r.name.empty() && pictures.size() == 1 ? pictures.begin() : pictures.find(r.name);
            if (it == pictures.end()) return nullptr;
            used.insert(it->first);
            return it->second;
        },
        Upload::kAny);
    if (unknown)
        for (const auto& [name, picture] : pictures)
            if (!used.contains(name)) unknown->push_back(name);
    return pixmap;
}

}  // namespace dorvane::platform::wallpaper::x11
