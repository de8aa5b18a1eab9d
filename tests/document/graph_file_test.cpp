// The document file: byte-exact round trips, the layout field by field, the refusals of
// files that are short, altered or inconsistent (the graph on screen stays), safe saving,
// and the CSV table.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "data/utility.h"
#include "document/graph_on_win.h"
#include "platform/doc_stream.h"
#include "platform/file_replace.h"
#include "platform/qt/image_window.h"
#include "platform/recording_message_sink.h"
#include "platform/scripted_choosers.h"
#include "qt_test_app.h"
#include "support/temp_dir.h"
#include "support/paper.h"

namespace {

constexpr LONG kPaperWidth = kPaperTwipWidth;
constexpr LONG kPaperHeight = kPaperTwipHeight;

struct Document {
    HeadlessWindow paper{1123, 794};
    GraphOnWin graph{&paper, 0,       0,       kPaperWidth, kPaperHeight, nullptr, 0,      0,
                     100,    nullptr, nullptr, nullptr,     nullptr,      nullptr, nullptr};

    int Add(const std::vector<double>& x, const std::vector<double>& y, const char* name,
            const char* title = nullptr, const int* axes = nullptr) {
        GrpDate2D data;
        PointArray series(static_cast<int>(x.size()), x.data(), y.data(), name);
        data.SetDateArray(1, &series);
        const int pair[2] = {1, 0};
        const char* titles[4] = {nullptr, nullptr, nullptr, nullptr};
        return graph.AddNewGraphDate(&data, axes ? axes : pair, nullptr, 0, 0, nullptr, nullptr,
                                     nullptr, nullptr, nullptr, nullptr, 10, 10, titles, title,
                                     nullptr, nullptr);
    }
};

std::string Temp_Dir() { return support::Make_TempDir("file"); }

std::string Read_Bytes(const std::string& path) {
    std::vector<unsigned char> bytes;
    EXPECT_TRUE(Read_WholeFile(path, &bytes)) << path;
    return std::string(bytes.begin(), bytes.end());
}

void Write_Bytes(const std::string& path, const std::string& bytes) {
    ASSERT_EQ(Write_FileSafely(path, bytes), 1);
}

int32_t LE32(const std::string& bytes, size_t at) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return static_cast<int32_t>(v);
}
int16_t LE16(const std::string& bytes, size_t at) {
    return static_cast<int16_t>(static_cast<unsigned char>(bytes[at]) |
                                static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::vector<double> Sweep(int n, double low, double high) {
    std::vector<double> values;
    for (int i = 0; i <= n; ++i) values.push_back(low + (high - low) * i / n);
    return values;
}

// A document with the kinds of content the file must carry.
void Fill(Document& doc, int variant) {
    const std::vector<double> x = Sweep(40, -5, 5);
    std::vector<double> y;
    for (double v : x) y.push_back(std::sin(v));
    ASSERT_EQ(doc.Add(x, y, "sin(x)", variant == 1 ? nullptr : "関数グラフ"), 1);
    if (variant >= 1) {
        const double nan = std::nan("");
        const double inf = HUGE_VAL;
        ASSERT_EQ(doc.Add({0, 1, 2, 3}, {nan, 1, inf, -inf}, nullptr), 1);
        doc.graph.graph_view->Array(1)->SetDateTitle(nullptr);  // nameless (not the legend's)
    }
    if (variant == 2) {
        const int top_right[2] = {3, 2};
        ASSERT_EQ(doc.Add({0, 100}, {-7, 7}, "上右の系列", nullptr, top_right), 1);
    }
}

TEST(GraphFile, SaveOpenSaveGivesTheSameBytes) {
    const std::string dir = Temp_Dir();
    for (int variant : {0, 1, 2}) {
        SCOPED_TRACE("variant " + std::to_string(variant));
        RecordingMessageSink boxes;
        Document first;
        ASSERT_NO_FATAL_FAILURE(Fill(first, variant));
        const std::string a = dir + "/a" + std::to_string(variant) + ".dat";
        ASSERT_EQ(first.graph.SaveGraphAs(a), 1);
        EXPECT_EQ(first.graph.RsinfoFlag(), 0);
        EXPECT_EQ(first.graph.reference_file, a);

        Document second;
        ASSERT_EQ(second.graph.OpenGraphFile(a, 0, 0), 1);
        EXPECT_TRUE(boxes.boxes.empty()) << boxes.Lines()[0];
        EXPECT_EQ(second.graph.RsinfoFlag(), 0);
        for (int axis = 0; axis < 4; ++axis) {
            EXPECT_EQ(second.graph.axis_flag[axis], first.graph.axis_flag[axis]) << axis;
        }
        const int series = first.graph.graph_view->PutElementNum();
        ASSERT_EQ(second.graph.graph_view->PutElementNum(), series);
        // A nameless series comes back named "0"; the legend lists every series again.
        if (variant >= 1) {
            EXPECT_STREQ(second.graph.graph_view->Array(1)->PutDateTitle(), "0");
        }
        EXPECT_EQ(second.graph.glist_frame->PutTtlLink()->PutElementNum(), series);
        EXPECT_EQ(second.graph.title_on_win[0] != nullptr, variant != 1);
        if (variant == 2) {
            EXPECT_STREQ(second.graph.graph_view->Array(2)->PutDateTitle(), "上右の系列");
            EXPECT_EQ(second.graph.graph_view->Array(2)->HoriAxis(), 3);
        }
        second.graph.SetModified(1);  // a change, so that it saves
        const std::string b = dir + "/b" + std::to_string(variant) + ".dat";
        ASSERT_EQ(second.graph.SaveGraphAs(b), 1);
        EXPECT_EQ(Read_Bytes(a), Read_Bytes(b));
        remove(a.c_str());
        remove(b.c_str());
    }
    rmdir(dir.c_str());
}

TEST(GraphFile, LayoutOfALeftAndBottomDocument) {
    const std::string dir = Temp_Dir();
    Document doc;
    ASSERT_EQ(doc.Add({0, 1, 2}, {0, 1, 4}, "y"), 1);
    const std::string path = dir + "/layout.dat";
    ASSERT_EQ(doc.graph.SaveGraphAs(path), 1);
    const std::string f = Read_Bytes(path);
    ASSERT_GT(f.size(), 100u);
    EXPECT_EQ(f.substr(0, 8), "Graph2DL");
    EXPECT_EQ(LE32(f, 8), 1);
    EXPECT_EQ(LE32(f, 12), 1);
    EXPECT_EQ(LE32(f, 16), 0);
    EXPECT_EQ(LE32(f, 20), 0);
    const tagRECT view = doc.graph.graph_view->GetRectOnTwip();
    EXPECT_EQ(LE32(f, 24), view.left);
    EXPECT_EQ(LE32(f, 36), view.bottom);
    EXPECT_EQ(LE16(f, 40), 0);  // no graph title
    size_t at = 42;
    for (int axis = 0; axis < 2; ++axis) {
        SCOPED_TRACE("axis " + std::to_string(axis));
        // Tick record, 104 bytes: kind 3, ..., obj_number at 32, padding zero.
        EXPECT_EQ(LE32(f, at), 3);
        EXPECT_EQ(LE32(f, at + 32), axis);
        EXPECT_EQ(LE16(f, at + 42), 0);
        double min_value = 0;
        std::memcpy(&min_value, f.data() + at + 60, 8);
        EXPECT_EQ(min_value, doc.graph.axis_tick[axis]->PutMinValue());
        at += 104;
        // Label record: kind 2, n at 50, 272 bytes a label, 150 + 272 n in all.
        EXPECT_EQ(LE32(f, at), 2);
        EXPECT_EQ(LE32(f, at + 36), axis);
        const int n = LE16(f, at + 48);
        EXPECT_EQ(n, doc.graph.axis_frame[axis]->PutNumDspObj());
        const std::string first_text(f.data() + at + 50 + 8);
        EXPECT_STREQ(first_text.c_str(), doc.graph.axis_frame[axis]->PutNumStrObj(0)->PutString());
        for (size_t b = at + 58 + first_text.size(); b < at + 58 + 256; ++b) {
            ASSERT_EQ(f[b], '\0') << "byte after the label text";
        }
        at += 150 + 272 * static_cast<size_t>(n);
        // Title record: kind 1, then the text with its byte count.
        EXPECT_EQ(LE32(f, at), 1);
        const int length = LE32(f, at + 28);
        EXPECT_EQ(f.substr(at + 32, static_cast<size_t>(length)),
                  axis == 0 ? std::string("\x8d\xb6\x8e\xb2") : std::string("\x89\xba\x8e\xb2"));
        at += 32 + static_cast<size_t>(length) + 60 + 12;
    }
    EXPECT_EQ(LE16(f, at), 1);      // all series
    EXPECT_EQ(LE16(f, at + 2), 1);  // group (bottom, left)
    EXPECT_EQ(LE32(f, at + 4), 1);  // name "y"
    EXPECT_EQ(f[at + 8], 'y');
    EXPECT_EQ(LE32(f, at + 9), 3);  // points
    at += 13 + 3 * 16 + 24;
    EXPECT_EQ(LE16(f, at), 0);
    EXPECT_EQ(LE16(f, at + 2), 0);
    EXPECT_EQ(LE16(f, at + 4), 0);
    EXPECT_EQ(f.size(), at + 6);
    remove(path.c_str());
    rmdir(dir.c_str());
}

TEST(GraphFile, SavingRefusalsAndMessages) {
    const std::string dir = Temp_Dir();
    RecordingMessageSink boxes;
    Document empty;
    EXPECT_EQ(empty.graph.SaveGraphAs(dir + "/x.dat"), 0);
    Document doc;
    ASSERT_EQ(doc.Add({0, 1}, {0, 1}, "s"), 1);
    const std::string path = dir + "/twice.dat";
    ASSERT_EQ(doc.graph.SaveGraphAs(path), 1);
    EXPECT_EQ(doc.graph.SaveGraphToFile(), -1);  // nothing changed since
    // Not writable: reported, still modified, the name kept.
    doc.graph.SetModified(1);
    EXPECT_EQ(doc.graph.SaveGraphAs(dir + "/missing/dir/x.dat"), -2);
    EXPECT_EQ(doc.graph.RsinfoFlag(), 1);
    EXPECT_EQ(doc.graph.reference_file, path);
    // A text CP932 cannot hold is reported, and nothing is written.
    doc.graph.graph_view->Array(0)->SetDateTitle("😀");
    const std::string before = Read_Bytes(path);
    EXPECT_EQ(doc.graph.SaveGraphToFile(), -2);
    EXPECT_EQ(Read_Bytes(path), before);
    const std::vector<std::string> expected = {
        "no write date: 書き込めるデータがありません", "no new date: 更新されたものがありません",
        "open error: ファイルのオープンに失敗しました",
        "write error: Shift-JIS (CP932) で書けない文字があるため保存できません。\n"
        "タイトル、系列名、フォント名を確かめてください\n書けない文字: 「😀」"};
    EXPECT_EQ(boxes.Lines(), expected);
    remove(path.c_str());
    rmdir(dir.c_str());
}

TEST(GraphFile, LongPathsStayTheDocumentsName) {
    std::string dir = Temp_Dir();
    const std::string top = dir;
    while (dir.size() < 300) {
        dir += "/" + std::string(60, 'd');
        ASSERT_EQ(mkdir(dir.c_str(), 0700), 0);
    }
    Document doc;
    ASSERT_EQ(doc.Add({0, 1}, {0, 1}, "s"), 1);
    const std::string path = dir + "/long.dat";
    ASSERT_EQ(doc.graph.SaveGraphAs(path), 1);
    Document again;
    ASSERT_EQ(again.graph.OpenGraphFile(path, 0, 0), 1);
    EXPECT_EQ(again.graph.reference_file, path);
    again.graph.SetModified(1);
    EXPECT_EQ(again.graph.SaveGraphToFile(), 1);  // a plain save, no dialog
    remove(path.c_str());
    while (dir != top) {
        rmdir(dir.c_str());
        dir = dir.substr(0, dir.rfind('/'));
    }
    rmdir(top.c_str());
}

// Reading a file that is not a whole, consistent document changes nothing on screen.
struct OpenedGraph {
    Document doc;
    std::string labels;
    OpenedGraph() {
        doc.Add({0, 1, 2}, {5, 6, 7}, "kept");
        labels = doc.graph.axis_frame[0]->PutNumStrObj(0)->PutString();
    }
    bool Kept() {
        return doc.graph.graph_view && doc.graph.graph_view->PutElementNum() == 1 &&
               std::string(doc.graph.graph_view->Array(0)->PutDateTitle()) == "kept" &&
               labels == doc.graph.axis_frame[0]->PutNumStrObj(0)->PutString();
    }
};

TEST(GraphFile, DamagedFilesAreRefusedAndTheGraphStays) {
    const std::string dir = Temp_Dir();
    Document source;
    ASSERT_NO_FATAL_FAILURE(Fill(source, 2));
    const std::string good_path = dir + "/good.dat";
    ASSERT_EQ(source.graph.SaveGraphAs(good_path), 1);
    const std::string good = Read_Bytes(good_path);
    const std::string path = dir + "/bad.dat";
    const std::string read_error = "read error: このデータは読めません。";

    auto try_open = [&](const std::string& bytes, bool must_refuse, const std::string& what) {
        Write_Bytes(path, bytes);
        OpenedGraph target;
        RecordingMessageSink boxes;
        const int result = target.doc.graph.OpenGraphFile(path, 0, 0);
        if (must_refuse || result != 1) {
            EXPECT_EQ(result, 0) << what;
            EXPECT_EQ(boxes.Lines(), std::vector<std::string>{read_error}) << what;
            EXPECT_TRUE(target.Kept()) << what;
        }
    };
    try_open("", true, "empty");
    try_open("Graph2D", true, "shorter than the magic");
    try_open("Graph2DX" + good.substr(8), true, "wrong magic");
    try_open(good + "x", true, "a byte too many");
    // Cut at every offset near the start, then at a sample of the rest.
    for (size_t cut = 8; cut < good.size(); cut += cut < 400 ? 1 : 61) {
        try_open(good.substr(0, cut), true, "cut at " + std::to_string(cut));
    }
    // Impossible counts and sizes at known places.
    std::string huge_title = good;
    const size_t title_length_at = 42 + 28;  // the graph title's text length
    ASSERT_EQ(LE16(good, 40), 1);
    huge_title[title_length_at] = '\xf0';
    huge_title[title_length_at + 1] = '\xff';
    huge_title[title_length_at + 2] = '\xff';
    huge_title[title_length_at + 3] = '\x7f';
    try_open(huge_title, true, "a title of 0x7FFFFFF0 bytes");
    std::string no_width = good;
    std::memcpy(&no_width[32], &no_width[24], 4);  // right = left
    try_open(no_width, true, "a plot area without width");
    // Flipped bytes: refused or read, never a crash or a half-replaced graph.
    std::mt19937 generator(20261209);
    std::uniform_int_distribution<size_t> offset(8, good.size() - 1);
    for (int i = 0; i < 300; ++i) {
        std::string flipped = good;
        flipped[offset(generator)] ^= static_cast<char>(1 << (i % 8));
        try_open(flipped, false, "flip " + std::to_string(i));
    }
    remove(path.c_str());
    remove(good_path.c_str());
    rmdir(dir.c_str());
}

TEST(GraphFile, AGroupWithoutItsAxesIsDropped) {
    const std::string dir = Temp_Dir();
    Document doc;
    ASSERT_EQ(doc.Add({0, 1}, {0, 1}, "left"), 1);
    ASSERT_EQ(doc.Add({0, 1}, {1, 0}, "orphan"), 1);
    doc.graph.graph_view->Array(1)->HoriAxis() = 3;  // stored in group (top, right)
    doc.graph.graph_view->Array(1)->VerAxis() = 2;
    const std::string path = dir + "/orphan.dat";
    ASSERT_EQ(doc.graph.SaveGraphAs(path), 1);
    Document again;
    ASSERT_EQ(again.graph.OpenGraphFile(path, 0, 0), 1);
    ASSERT_EQ(again.graph.graph_view->PutElementNum(), 1);
    EXPECT_STREQ(again.graph.graph_view->Array(0)->PutDateTitle(), "left");
    remove(path.c_str());
    rmdir(dir.c_str());
}

// 開く asks about a modified graph first; a save the user wanted that does not happen
// stops the opening, so nothing is lost.
TEST(GraphFile, OpeningAsksAndAFailedSaveStopsIt) {
    const std::string dir = Temp_Dir();
    Document source;
    ASSERT_EQ(source.Add({0, 1}, {2, 3}, "file"), 1);
    const std::string path = dir + "/open.dat";
    ASSERT_EQ(source.graph.SaveGraphAs(path), 1);

    OpenedGraph target;  // composed, so modified
    ScriptedChoosers choosers;
    RecordingMessageSink boxes;
    boxes.Script({IDYES});
    choosers.confirm = false;  // the save dialog is cancelled
    EXPECT_EQ(target.doc.graph.OpenFileToGraph(0, 0), -3);
    EXPECT_TRUE(target.Kept());
    ASSERT_EQ(choosers.file_requests.size(), 1u);  // only the save dialog was shown
    EXPECT_EQ(boxes.Lines(),
              std::vector<std::string>{"Do you save data?: 現在のデータを保存しますか?"});

    boxes.Clear();
    boxes.Script({IDNO});
    choosers.confirm = true;
    choosers.file_path = path;
    EXPECT_EQ(target.doc.graph.OpenFileToGraph(0, 0), 1);
    ASSERT_TRUE(target.doc.graph.graph_view);
    EXPECT_STREQ(target.doc.graph.graph_view->Array(0)->PutDateTitle(), "file");
    EXPECT_EQ(target.doc.graph.reference_file, path);
    EXPECT_EQ(target.doc.graph.RsinfoFlag(), 0);
    EXPECT_EQ(choosers.file_requests.back().lpstrTitle, std::string("データを読むファイルを指定"));
    remove(path.c_str());
    rmdir(dir.c_str());
}

// A large document reports its progress while it is saved and opened (0 first, rising
// fractions, 1 last); abandoning the save leaves the file and the modified flag as they
// were, abandoning the opening leaves the graph, and neither shows a message.
TEST(GraphFile, LargeDocumentsReportProgressAndCanBeAbandoned) {
    const std::string dir = Temp_Dir();
    const std::string path = dir + "/large.dat";
    Document big;
    const std::vector<double> x = Sweep(300000, -1, 1);  // about 4.8 MB of points
    ASSERT_EQ(big.Add(x, x, "large"), 1);
    struct Report {
        double done;
        bool writing;
    };
    std::vector<Report> reports;
    bool abandon = false;
    Set_FileProgressHook([&](double done, bool writing) {
        reports.push_back({done, writing});
        return !(abandon && done > 0.0 && done < 1.0);
    });
    auto expect_rising = [&](bool writing) {
        ASSERT_GE(reports.size(), 4u);
        EXPECT_EQ(reports.front().done, 0.0);
        EXPECT_EQ(reports.back().done, 1.0);
        for (size_t i = 0; i < reports.size(); ++i) {
            EXPECT_EQ(reports[i].writing, writing);
            if (i > 0) {
                EXPECT_GT(reports[i].done, reports[i - 1].done);
            }
        }
    };
    RecordingMessageSink boxes;
    ASSERT_EQ(big.graph.SaveGraphAs(path), 1);
    expect_rising(true);
    const std::string saved = Read_Bytes(path);

    reports.clear();
    Document opened;
    ASSERT_EQ(opened.graph.OpenGraphFile(path, 0, 0), 1);
    expect_rising(false);
    EXPECT_EQ(opened.graph.graph_view->Array(0)->PutPointArray()->ArrayNum(), 300001);

    // 中止 while saving: the file keeps its bytes, the document stays modified and named.
    abandon = true;
    reports.clear();
    big.graph.graph_view->Array(0)->SetDateTitle("renamed");
    big.graph.SetModified(1);
    EXPECT_EQ(big.graph.SaveGraphToFile(), -3);
    EXPECT_EQ(reports.back().done, 1.0);
    EXPECT_EQ(Read_Bytes(path), saved);
    EXPECT_EQ(big.graph.RsinfoFlag(), 1);
    EXPECT_EQ(big.graph.reference_file, path);

    // 中止 while opening: the graph on screen stays.
    OpenedGraph target;
    reports.clear();
    EXPECT_EQ(target.doc.graph.OpenGraphFile(path, 0, 0), -3);
    EXPECT_EQ(reports.back().done, 1.0);
    EXPECT_TRUE(target.Kept());
    EXPECT_TRUE(boxes.boxes.empty()) << boxes.Lines()[0];

    // A small document finishes before any fraction is reported.
    abandon = true;
    reports.clear();
    Document small;
    ASSERT_NO_FATAL_FAILURE(Fill(small, 0));
    EXPECT_EQ(small.graph.SaveGraphAs(dir + "/small.dat"), 1);
    EXPECT_EQ(reports.size(), 2u);
    Set_FileProgressHook(nullptr);
    remove(path.c_str());
    remove((dir + "/small.dat").c_str());
    rmdir(dir.c_str());
}

TEST(GraphTable, CsvLinesAsTheTableIsLaidOut) {
    const double nan = std::nan("");
    const struct {
        const char* what;
        std::vector<std::vector<double>> x, y;
        std::vector<const char*> names;
        std::string expected;
    } rows[] = {
        {"one series", {{0, 0.5}}, {{1, 2}}, {"y"}, "y, ,\r\n0,1,\r\n0.5,2,\r\n"},
        {"ragged",
         {{1, 2, 3}, {9}},
         {{4, 5, 6}, {8}},
         {"a", "b"},
         "a, ,b, ,\r\n1,4,9,8,\r\n2,5, , ,\r\n3,6, , ,\r\n"},
        {"nameless, %g and non-finite values",
         {{1234567, 0.00001}},
         {{nan, HUGE_VAL}},
         {nullptr},
         "0, ,\r\n1.23457e+06,nan,\r\n1e-05,inf,\r\n"},
    };
    for (const auto& row : rows) {
        Document doc;
        for (size_t s = 0; s < row.x.size(); ++s) {
            ASSERT_EQ(doc.Add(row.x[s], row.y[s], row.names[s]), 1) << row.what;
            if (row.names[s] == nullptr) doc.graph.graph_view->Array(0)->SetDateTitle(nullptr);
        }
        std::ostringstream out;
        EXPECT_EQ(doc.graph.PrnGraphTableData(out), 1);
        EXPECT_EQ(out.str(), row.expected) << row.what;
    }
    RecordingMessageSink boxes;
    Document doc;
    ASSERT_EQ(doc.Add({0}, {1}, "y"), 1);
    EXPECT_EQ(Write_GraphTable(&doc.graph, "/nonexistent-dir/t.csv"), 0);
}

}  // namespace
