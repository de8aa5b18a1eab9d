// The round-trip property of documents, shared by the test and the fuzz target: random
// sequences of user operations, each a plotari-cli command line, run in one session; after
// each operation that made an undo step, やり直し gives back the state before it (document,
// what the file does not hold, picture) and the operation is done again; after each
// operation the document saved, opened and saved again gives the same bytes, with no
// message on the way.
#pragma once

#include <QImage>

#include <cstdint>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_session.h"
#include "document/graph_on_win.h"
#include "frames/trans_unit.h"
#include "platform/doc_stream.h"
#include "platform/qt/image_window.h"
#include "shell/document_commands.h"
#include "shell/picture_export.h"

namespace round_trip {

// Where choices come from: a seeded generator (the test) or the fuzzer's bytes.
class Choices {
public:
    explicit Choices(uint32_t seed) : random_(seed), seeded_(true) {}
    Choices(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint32_t Below(uint32_t n) {
        if (n <= 1) return 0;
        if (seeded_) return static_cast<uint32_t>(random_() % n);
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value = (value << 8) | Byte();
        return value % n;
    }
    bool Chance(uint32_t percent) { return Below(100) < percent; }
    bool Exhausted() const { return !seeded_ && used_ >= size_; }
    template <size_t N>
    const char* One(const char* const (&options)[N]) {
        return options[Below(N)];
    }

private:
    uint8_t Byte() { return used_ < size_ ? data_[used_++] : 0; }
    std::mt19937 random_;
    bool seeded_ = false;
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t used_ = 0;
};

using Operation = std::vector<std::string>;

inline std::string Range(Choices& c, const char* name) {
    static const char* const kRanges[] = {"(-5,5)",     "(0,1)",         "(-1e-320,1e-320)",
                                          "(0,1e-306)", "(1e300,1e301)", "(-1e308,1e308)",
                                          "(-2,3)",     "(0,6.28)",      "(1e-300,2e-300)"};
    return std::string(name) + c.One(kRanges) + "[" + std::to_string(2 + c.Below(30)) + "]";
}

inline Operation Plot(Choices& c) {
    static const char* const kFunctions[] = {"x^2",    "sin(x)",      "x*1e-310", "x*1e300",
                                             "1/x",    "exp(x*1000)", "tan(x)",   "sqrt(x)",
                                             "log(x)", "x",           "0",        "x*1e-320+1"};
    switch (c.Below(4)) {
        case 0:
            return {"--plot", std::string("explicit:") + c.One(kFunctions) + ":" + Range(c, "x")};
        case 1: {
            static const char* const kX[] = {"x=cos(t)", "x=t*1e-310", "x=1/t", "x=t^3"};
            static const char* const kY[] = {"y=sin(t)", "y=t*1e300", "y=exp(t)", "y=t"};
            return {"--plot",
                    std::string("param:") + c.One(kX) + ":" + c.One(kY) + ":" + Range(c, "t")};
        }
        case 2: {
            static const char* const kR[] = {"r=2", "r=2*t", "r=1/t", "r=t*1e-310"};
            return {"--plot", std::string("polar:") + c.One(kR) + ":" + Range(c, "t")};
        }
        default: {
            static const char* const kF[] = {"0=x^2+y^2-1", "0=x*y-1e-310", "0=x-y"};
            return {"--plot", std::string("implicit:") + c.One(kF) + ":x(-1,1)[" +
                                  std::to_string(2 + c.Below(12)) + "]:y(-1,1)[" +
                                  std::to_string(2 + c.Below(12)) + "]"};
        }
    }
}

inline std::string Element(Choices& c, int series) {
    static const char* const kFixed[] = {
        "title",     "axis-title:0", "axis-title:1", "axis-title:2", "axis-title:3", "numbers:0",
        "numbers:1", "ticks:0",      "ticks:1",      "plot",         "legend",       "none"};
    if (series > 0 && c.Chance(30)) {
        const std::string n = std::to_string(c.Below(static_cast<uint32_t>(series) + 1));
        return (c.Chance(50) ? "legend-line:" : "legend-name:") + n;
    }
    return c.One(kFixed);
}

inline std::string Text(Choices& c) {
    static const char* const kWide[] = {"あ", "漢", "字", "Ａ", "１", "ー",
                                        "グ", "ラ", "フ", "￥", "～", "－"};
    // Now and then a character the file cannot hold as it is: saving refuses it by name,
    // undo still works.
    if (c.Chance(3)) return c.Chance(50) ? "T¥" : "☃";
    const uint32_t length = c.Chance(20) ? 200 + c.Below(56) : c.Below(40);
    const bool wide = c.Chance(50);
    std::string text;
    for (uint32_t i = 0; i < length; ++i) {
        if (wide) {
            text += c.One(kWide);
        } else {
            text += static_cast<char>(' ' + c.Below(95));
        }
    }
    return text;
}

inline std::string Colour(Choices& c) {
    char text[8];
    std::snprintf(text, sizeof text, "%06x", static_cast<unsigned>(c.Below(0x1000000)));
    return text;
}

// One user operation (a few actions: most edits select their element first).
inline Operation Next(Choices& c, int series) {
    const std::string element = Element(c, series);
    switch (c.Below(16)) {
        case 0:
        case 1: return Plot(c);
        case 2: {
            static const char* const kZooms[] = {"10",  "25",  "50",  "75",   "100",
                                                 "150", "200", "400", "1000", "10000"};
            return {"--zoom", c.One(kZooms)};
        }
        case 3:
        case 4: {
            const int dx = static_cast<int>(c.Below(801)) - 400;
            const int dy = static_cast<int>(c.Below(601)) - 300;
            return {"--drag", element + "@" + std::to_string(dx) + "," + std::to_string(dy)};
        }
        case 5: return {"--select-element", element, "--text", Text(c)};
        case 6: {
            static const char* const kFaces[] = {"DejaVu Sans", "ＭＳ ゴシック", "IPAGothic",
                                                 "Noto Sans CJK JP", "HGP創英ﾌﾟﾚｾﾞﾝｽEB"};
            std::string font = std::string(c.One(kFaces)) + "," + std::to_string(1 + c.Below(120));
            if (c.Chance(30)) font += ",bold";
            if (c.Chance(30)) font += ",italic";
            if (c.Chance(50)) font += "," + Colour(c);
            return {"--select-element", element, "--font", font};
        }
        case 7: {
            static const char* const kTicks[] = {"min=-6,max=6,step=2,auto=0",
                                                 "min=0,max=1e-310,step=1e-311",
                                                 "min=1e300,max=1e301,step=1e300",
                                                 "auto=1",
                                                 "main=0",
                                                 "sub=1,sub-dir=in",
                                                 "main-length=100,main-width=10",
                                                 "min=-1,max=1,step=0.001",
                                                 "main-dir=in,sub-length=50"};
            return {"--select-element", "ticks:" + std::to_string(c.Below(2)), "--ticks",
                    c.One(kTicks)};
        }
        case 8: return {"--select-element", "ticks:" + std::to_string(c.Below(4)), "--grid"};
        case 9: {
            static const char* const kStyles[] = {"normal", "exp", "real"};
            return {"--select-element", "numbers:" + std::to_string(c.Below(2)), "--number-style",
                    std::string(c.One(kStyles)) + "," + std::to_string(c.Below(17))};
        }
        case 10: return {"--select-element", "legend", "--legend"};
        case 11: {
            const std::string line = "legend-line:" + std::to_string(c.Below(3));
            if (c.Chance(50)) {
                return {"--select-element", line, c.Chance(50) ? "--line-color" : "--marker-color",
                        Colour(c)};
            }
            static const char* const kLines[] = {"style=dot",
                                                 "style=dashdot",
                                                 "style=solid,width=10",
                                                 "radius=10,marker=both",
                                                 "marker=markers,interval=7",
                                                 "marker=line",
                                                 "width=3,interval=1"};
            return {"--select-element", line, "--line", c.One(kLines)};
        }
        case 12:
            return {"--select-element", "legend-line:" + std::to_string(c.Below(3)),
                    "--delete-line"};
        case 13: {
            static const char* const kSizes[] = {"20,20,270,180", "1,1,296,209", "100,50,120,60",
                                                 "0,0,297,210", "150,100,151,101"};
            return {"--size", c.One(kSizes)};
        }
        case 14: return {"--marker-interval", std::to_string(1 + c.Below(20))};
        default: return {"--undo"};
    }
}

inline std::string Command_Line(const std::vector<Operation>& operations) {
    std::string line = "plotari-cli";
    for (const Operation& operation : operations) {
        for (const std::string& arg : operation) {
            line += " '";
            for (char ch : arg) line += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
            line += "'";
        }
    }
    return line;
}

inline std::string Read_All(const std::string& path) {
    std::vector<unsigned char> bytes;
    if (!Read_WholeFile(path, &bytes)) return std::string();
    return std::string(bytes.begin(), bytes.end());
}

struct Seen {
    UndoHistory::State state;
    QImage picture;
    std::string file;
};

inline Seen Look(GraphOnWin& graph) {
    Seen seen;
    UndoHistory::Snapshot(&graph, &seen.state);
    seen.picture = GetBitmap_ToGraph(&graph, 1123, 794);
    seen.file = graph.reference_file;
    return seen;
}

inline bool Run(CliSession& session, const Operation& operation, std::string* why) {
    std::vector<CliAction> actions;
    if (!Parse_CliActions(operation, &actions, why)) return false;
    for (const CliAction& action : actions) session.Run(action);
    return true;
}

// Empty when every property held, else what failed, with the command line that shows it.
inline std::string Check(const std::vector<Operation>& operations, const std::string& dir) {
    std::ostringstream out, err;
    CliSession session(out, err);
    std::vector<Operation> done;
    const std::string first = dir + "/first.dat";
    const std::string second = dir + "/second.dat";
    for (const Operation& operation : operations) {
        done.push_back(operation);
        GraphOnWin& graph = session.Document();
        const Seen before = Look(graph);
        const size_t steps = session.Commands().History().Steps();
        std::string why;
        if (!Run(session, operation, &why))
            return "bad command line (" + why + "): " + Command_Line(done);
        if (session.Commands().History().Steps() > steps && operation[0] != "--undo") {
            // Undo takes the document back; the file name is the document's, not the step's.
            const std::string name = graph.reference_file;
            Run(session, {"--undo"}, &why);
            const Seen undone = Look(graph);
            if (undone.state.document != before.state.document) {
                return "undo did not restore the document: " + Command_Line(done);
            }
            if (undone.state.view != before.state.view) {
                if (std::FILE* f = std::fopen((dir + "/view-before").c_str(), "wb")) {
                    std::fwrite(before.state.view.data(), 1, before.state.view.size(), f);
                    std::fclose(f);
                }
                if (std::FILE* f = std::fopen((dir + "/view-undone").c_str(), "wb")) {
                    std::fwrite(undone.state.view.data(), 1, undone.state.view.size(), f);
                    std::fclose(f);
                }
                return "undo did not restore what the file does not hold: " + Command_Line(done);
            }
            if (undone.picture != before.picture) {
                before.picture.save(QString::fromStdString(dir + "/before.png"));
                undone.picture.save(QString::fromStdString(dir + "/undone.png"));
                return "undo did not restore the picture (" + dir +
                       "/before.png, undone.png): " + Command_Line(done);
            }
            // A document the operation left without a name (the last line deleted) takes its
            // name back with the document.
            const std::string expected = name.empty() ? before.file : name;
            if (undone.file != expected) {
                return "undo changed the file name: " + Command_Line(done);
            }
            Run(session, operation, &why);
        }
        if (!graph.graph_view) continue;
        // Saving and opening: the selection is not part of the document.
        const int reported = session.Reported();
        const size_t said = err.str().size();
        Run(session, {"--select-element", "none", "--save", first}, &why);
        if (session.Reported() != reported &&
            err.str().find("書けない文字: 「", said) != std::string::npos) {
            continue;  // a text the file cannot hold, refused by name as it should be
        }
        if (session.Reported() != reported) {
            return "saving was refused (" +
                   err.str().substr(err.str().rfind('\n', err.str().size() - 2) + 1) +
                   "): " + Command_Line(done);
        }
        HeadlessWindow paper(1123, 794);
        GraphOnWin reopened(&paper, 0, 0, Dmm_ToTwip(29700), Dmm_ToTwip(21000), nullptr, 0, 0, 100,
                            nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
        if (reopened.OpenGraphFile(first, 0, 0) != 1)
            return "the saved file was refused: " + Command_Line(done);
        std::remove(second.c_str());
        if (reopened.SaveGraphAs(second) != 1)
            return "the reopened document was not saved: " + Command_Line(done);
        if (Read_All(first) != Read_All(second))
            return "the file changed on the way round: " + Command_Line(done);
        // The session's own document is drawn again on its own paper.
        g_object_array = &graph;
    }
    return std::string();
}

inline std::vector<Operation> Sequence(Choices& c, size_t length) {
    std::vector<Operation> operations;
    int series = 0;
    for (size_t i = 0; i < length && !c.Exhausted(); ++i) {
        operations.push_back(Next(c, series));
        if (operations.back()[0] == "--plot") ++series;
    }
    return operations;
}

}  // namespace round_trip
