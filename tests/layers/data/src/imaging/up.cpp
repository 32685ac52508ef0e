// SPDX-License-Identifier: GPL-3.0-or-later
// Goes up twice: platform sits above imaging.
#include <platform/files.h>
#include <xcb/xcb.h>

#include "base/fine.h"
#include "imaging/bitmap.h"
#include "platform/files.h"
