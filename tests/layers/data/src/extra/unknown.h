// SPDX-License-Identifier: GPL-3.0-or-later
// A folder the layers do not know.
#pragma once
