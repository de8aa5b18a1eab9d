// The round-trip property of documents with the fuzzer choosing the operations: the input's
// bytes pick a sequence of user operations (as plotari-cli command lines); a document that
// does not open again as saved, or an undo that does not give back what was seen, traps.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz_qt_app.h"
#include "roundtrip/round_trip.h"

namespace {
std::string Work_Dir() {
    static std::string dir;
    if (dir.empty()) {
        char name[] = "/tmp/plotari-fuzz-roundtrip-XXXXXX";
        dir = mkdtemp(name) != nullptr ? name : "/tmp";
    }
    return dir;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    Make_QtApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 400) return 0;
    round_trip::Choices choices(data, size);
    const auto sequence = round_trip::Sequence(choices, 8);
    const std::string failure = round_trip::Check(sequence, Work_Dir());
    if (!failure.empty()) {
        std::fprintf(stderr, "%s\n", failure.c_str());
        __builtin_trap();
    }
    return 0;
}
