// SPDX-License-Identifier: GPL-3.0-or-later
// A command runner that answers from a script instead of starting programs.
#pragma once

#include <functional>
#include <vector>

#include "platform/wallpaper/command_runner.h"

struct FakeRunner : dorvane::platform::wallpaper::CommandRunner {
    std::function<Result(const QString&, const QStringList&)> answer = [](auto&, auto&) {
        return Result{};  // not installed
    };
    std::vector<QString> programs;
    Result run(const QString& program, const QStringList& args, int) override {
        programs.push_back(program);
        return answer(program, args);
    }
};
