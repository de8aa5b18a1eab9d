// Milliseconds to save and to open a document of one series of 10^6 points (16 MB of
// points) through the document file code.
//   ./build/bench/bench_document
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "document/graph_on_win.h"
#include "platform/qt/image_window.h"

namespace {

constexpr LONG kPaperWidth = 16838;
constexpr LONG kPaperHeight = 11906;

struct Document {
    HeadlessWindow paper{1123, 794};
    GraphOnWin graph{&paper, 0,       0,       kPaperWidth, kPaperHeight, nullptr, 0,      0,
                     100,    nullptr, nullptr, nullptr,     nullptr,      nullptr, nullptr};
};

std::unique_ptr<Document> Big_Document(int points) {
    auto doc = std::make_unique<Document>();
    std::vector<double> x(static_cast<size_t>(points));
    std::vector<double> y(static_cast<size_t>(points));
    for (int i = 0; i < points; ++i) {
        x[static_cast<size_t>(i)] = i * 1e-3;
        y[static_cast<size_t>(i)] = std::sin(i * 1e-3);
    }
    GrpDate2D data;
    PointArray series(points, x.data(), y.data(), "sin(x)");
    data.SetDateArray(1, &series);
    const int pair[2] = {1, 0};
    doc->graph.AddNewGraphDate(&data, pair, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, 10, 10, nullptr, "関数グラフ", nullptr, nullptr);
    return doc;
}

const std::string kPath = "/tmp/plotari-bench-document.dat";

void Save(benchmark::State& state) {
    auto doc = Big_Document(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        doc->graph.SetModified(1);
        if (doc->graph.SaveGraphAs(kPath) != 1) state.SkipWithError("save failed");
    }
}

void Open(benchmark::State& state) {
    auto source = Big_Document(static_cast<int>(state.range(0)));
    source->graph.SaveGraphAs(kPath);
    Document doc;
    for (auto _ : state) {
        if (doc.graph.OpenGraphFile(kPath, 0, 0) != 1) state.SkipWithError("open failed");
    }
    std::remove(kPath.c_str());
}

// For comparison: composing the same graph from sampled data.
void Compose(benchmark::State& state) {
    for (auto _ : state) Big_Document(static_cast<int>(state.range(0)));
}

BENCHMARK(Compose)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(Save)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(Open)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
