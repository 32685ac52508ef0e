// SPDX-License-Identifier: GPL-3.0-or-later
// Goes down, but by a path through .. and by a bare name.
#include "../imaging/bitmap.h"
#include "compose/goal_board.h"
#include "loose.h"
