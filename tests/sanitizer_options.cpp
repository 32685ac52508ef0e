// SPDX-License-Identifier: GPL-3.0-or-later
// Options the sanitizers read at start-up, compiled into every test of the sanitizer
// build. (CTest's ENVIRONMENT cannot carry them: the test discovery splits a list of
// variables apart.) Variables set in the environment still take precedence.
extern "C" {
const char* __lsan_default_options() {
    return "suppressions=" DORVANE_SOURCE_DIR "/tests/lsan.supp";
}
const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}
}
