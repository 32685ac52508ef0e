// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>

#include "app/application.h"

int main() {
    std::puts("Dorvane");
    return 0;
}
