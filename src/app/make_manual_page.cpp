// SPDX-License-Identifier: GPL-3.0-or-later
// Build step: make_manual_page TEMPLATE OUTPUT writes the manual page (manual_page.h).
#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/manual_page.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_manual_page TEMPLATE OUTPUT\n";
        return 2;
    }
    try {
        std::ifstream in(argv[1], std::ios::binary);
        if (!in) throw std::runtime_error(std::string("cannot read ") + argv[1]);
        std::ostringstream text;
        text << in.rdbuf();
        const std::string page = dorvane::app::ManualPage(text.str());
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        if (!(out << page) || !out.flush())
            throw std::runtime_error(std::string("cannot write ") + argv[2]);
    } catch (const std::exception& e) {
        std::cerr << "make_manual_page: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
