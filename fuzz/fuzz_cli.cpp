// plotari-cli's command line: arguments split at NUL bytes, read as the program reads them,
// and when they parse, run in-process unless they would touch files or sample for long.
#include <QGuiApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_session.h"
#include "fuzz_qt_app.h"
#include "fuzz_support.h"

namespace {

bool Safe_ToRun(const std::vector<CliAction>& actions) {
    if (actions.size() > 12) return false;
    for (const CliAction& a : actions) {
        for (const char* file_action :
             {"--open", "--save", "--csv", "--bmp", "--jpg", "--png", "--svg", "--print-pdf"}) {
            if (a.name == file_action) return false;
        }
        // Long runs of digits could ask for a million divisions: correct, but slow to fuzz.
        int digits = 0;
        for (char c : a.argument) {
            digits = (c >= '0' && c <= '9') ? digits + 1 : 0;
            if (digits > 3) return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    Make_QtApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 2000) return 0;
    std::vector<std::string> args;
    std::string current;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.push_back(current);
            current.clear();
        } else {
            current.push_back(static_cast<char>(data[i]));
        }
    }
    if (!current.empty()) args.push_back(current);
    std::vector<CliAction> actions;
    std::string reason;
    if (!Parse_CliActions(args, &actions, &reason)) {
        if (reason.empty()) __builtin_trap();  // a refusal always says why
        return 0;
    }
    if (!Safe_ToRun(actions)) return 0;
    std::ostringstream out;
    std::ostringstream err;
    Run_CliActions(actions, out, err);
    return 0;
}
