// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wallpaper/x11_shared_memory.h"

#include <sys/ipc.h>
#include <sys/mman.h>
#include <sys/shm.h>

#include <cstdlib>

namespace dorvane::platform::wallpaper::x11 {

std::unique_ptr<SharedMemory> SharedMemory::Attach(Connection& c, std::size_t bytes) {
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c.get(), &xcb_shm_id);
    if (ext == nullptr || !ext->present) return nullptr;
    // Readable and writable by this user alone; the server checks our credentials.
    const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (id < 0) return nullptr;
    void* address = shmat(id, nullptr, 0);
    if (address == reinterpret_cast<void*>(-1)) {
        shmctl(id, IPC_RMID, nullptr);
        return nullptr;
    }
    const xcb_shm_seg_t segment = xcb_generate_id(c.get());
    xcb_generic_error_t* error =
        xcb_request_check(c.get(), xcb_shm_attach_checked(c.get(), segment, id, 0));
    // Once both sides are attached the segment can be marked for removal: it
    // then goes away with the last detach, even if this process is killed.
    shmctl(id, IPC_RMID, nullptr);
    if (error != nullptr) {  // a remote server, or one that may not read our memory
        std::free(error);
        shmdt(address);
        return nullptr;
    }
#ifdef MADV_POPULATE_WRITE
    // One call maps every page now, far cheaper than a fault at each first touch.
    madvise(address, bytes, MADV_POPULATE_WRITE);
#endif
    return std::unique_ptr<SharedMemory>(
        new SharedMemory(c, static_cast<std::uint8_t*>(address), bytes, segment));
}

SharedMemory::~SharedMemory() {
    // Requests run in order: the server reads every image put from the segment
    // before it detaches it.
    xcb_shm_detach(connection_.get(), segment_);
    xcb_flush(connection_.get());
    shmdt(data_);
}

}  // namespace dorvane::platform::wallpaper::x11
