// The document reader on arbitrary bytes: 開く on a file holding them, into a document that
// may already hold a graph. Whatever it refuses, nothing may crash, leak or overrun.
#include <QGuiApplication>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <unistd.h>

#include "document/graph_on_win.h"
#include "fuzz_qt_app.h"
#include "fuzz_support.h"
#include "platform/qt/image_window.h"

namespace {

constexpr LONG kPaperWidth = 16838;
constexpr LONG kPaperHeight = 11906;

const std::string& Path() {
    static const std::string path =
        "/tmp/plotari-fuzz-document-" + std::to_string(getpid()) + ".dat";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    Make_QtApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Install_SilentSink();
    if (size > (1u << 20)) return 0;
    std::FILE* file = std::fopen(Path().c_str(), "wb");
    if (!file) return 0;
    if (size > 0) std::fwrite(data, 1, size, file);
    std::fclose(file);
    HeadlessWindow paper(1123, 794);
    GraphOnWin graph(&paper, 0, 0, kPaperWidth, kPaperHeight, nullptr, 0, 0, 100, nullptr, nullptr,
                     nullptr, nullptr, nullptr, nullptr);
    graph.OpenGraphFile(Path(), 0, 0);
    // A second open over what the first left, as a user opening another file would.
    graph.OpenGraphFile(Path(), 0, 0);
    std::remove(Path().c_str());
    return 0;
}
