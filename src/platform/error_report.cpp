// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/error_report.h"

#include <cstdio>
#include <exception>

namespace dorvane::platform {
namespace {

ErrorSink& Sink() {
    static ErrorSink sink;
    return sink;
}

}  // namespace

void SetErrorSink(ErrorSink sink) {
    Sink() = std::move(sink);
}

void ReportError(const std::string& message) {
    try {
        if (Sink()) return Sink()(message);
    } catch (...) {
        // Reporting must not fail in turn; stderr below says it at least.
    }
    std::fprintf(stderr, "dorvane: %s\n", message.c_str());
}

void RunCommand(const std::function<void()>& command) noexcept {
    try {
        command();
    } catch (const std::exception& e) {
        ReportError(e.what());
    } catch (...) {
        ReportError("Unknown error");
    }
}

}  // namespace dorvane::platform
