// The graph document on disk: the "*.dat" file (written whole or not at all, read whole
// and checked before it replaces the graph on screen) and the CSV table of its series.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <sstream>
#include <locale>
#include <memory>
#include <vector>

#include "data/utility.h"
#include "document/graph_on_win.h"
#include "frames/document_limits.h"
#include "platform/cp932.h"
#include "platform/message_box.h"
#include "platform/file_replace.h"
#include "platform/numeric.h"

namespace {

constexpr char kMagic[8] = {'G', 'r', 'a', 'p', 'h', '2', 'D', 'L'};
constexpr int kTitleDirections[5] = {0, 1, 0, 1, 0};
// The series groups of the file by axis pair (horizontal, vertical).
constexpr int kGroupAxes[4][2] = {{1, 0}, {1, 2}, {3, 0}, {3, 2}};
const char kDocumentFilter[] = "date files(*.dat)\0*.dat\0";
const char kReadError[] = "このデータは読めません。";

// The names proposed by the save and open dialogs: the last ones chosen.
char save_name[FILE_NAME_SIZE] = "";
char open_name[FILE_NAME_SIZE] = "";

FileProgressHook file_progress;

// The hook for one opening or save: told 0 now and 1 when this goes.
class FileWork {
public:
    explicit FileWork(bool writing) : writing_(writing) { Report(0.0); }
    ~FileWork() { Report(1.0); }
    FileWork(const FileWork&) = delete;
    FileWork& operator=(const FileWork&) = delete;
    bool Report(double done) const { return !file_progress || file_progress(done, writing_); }
    WorkProgress Progress() const {
        if (!file_progress) return nullptr;
        return [this](double done) { return Report(done); };
    }

private:
    bool writing_;
};

// About the size of a document's file: the series' points and a little for everything else.
size_t Expected_FileSize(GraphView* view) {
    size_t size = 4096;
    const GrpLnLink* lines = view->PutGrpLnLink();
    for (size_t i = 0; i < lines->Count() && i <= static_cast<size_t>(INT16_MAX); ++i) {
        GraphLine* line = lines->Array(static_cast<short>(i));
        if (line) size += 256 + 16 * static_cast<size_t>(line->PutPointArray()->ArrayNum());
    }
    return size;
}

bool Sane_Property(int32_t value, int32_t low, int32_t high) {
    return value >= low && value <= high;
}

}  // namespace

void Set_FileProgressHook(FileProgressHook hook) { file_progress = std::move(hook); }

int GraphOnWin::WriteDocument(DocWriter* h_File) {
    if (graph_view->PutGrpLnLink()->Count() > static_cast<size_t>(INT16_MAX)) {
        MessageBoxA(h_pWnd, "系列が多すぎるため保存できません（32767本まで）", "write error",
                    MB_OK);
        return 0;
    }
    const char* unwritable_text =
        "Shift-JIS (CP932) で書けない文字があるため保存できません。\n"
        "タイトル、系列名、フォント名を確かめてください";
    // Named in the message: the character that could not be written, or that would come
    // back as another one.
    const auto unwritable = [unwritable_text]() {
        return std::string(unwritable_text) + "\n書けない文字: 「" + Cp932_Unwritable() + "」";
    };
    // What could not be read back is never written.
    if (!FitsItsFile(false)) {
        MessageBoxA(h_pWnd, "図の要素の大きさまたは位置が保存できる範囲を超えるため保存できません",
                    "write error", MB_OK);
        return 0;
    }
    h_File->PutBytes(kMagic, sizeof kMagic);
    for (int axis = 0; axis < 4; ++axis) h_File->Put32(axis_flag[axis] != 0 ? 1 : 0);
    const tagRECT view = graph_view->GetRectOnTwip();
    h_File->Put32(view.left);
    h_File->Put32(view.top);
    h_File->Put32(view.right);
    h_File->Put32(view.bottom);
    unsigned long bytes = 0;
    h_File->Put16(title_on_win[0] ? 1 : 0);
    if (title_on_win[0] && !title_on_win[0]->SaveFromFile(h_File, &bytes)) {
        MessageBoxA(h_pWnd, unwritable().c_str(), "write error", MB_OK);
        return 0;
    }
    for (int axis = 0; axis < 4; ++axis) {
        if (!Exists(axis)) continue;
        if (!axis_tick[axis] || !axis_frame[axis]) {
            MessageBoxA(h_pWnd, "軸の情報が欠けているため保存できません", "write error", MB_OK);
            return 0;
        }
        axis_tick[axis]->SaveFromFile(h_File, &bytes);
        if (!axis_frame[axis]->SaveFromFile(h_File, &bytes)) {
            MessageBoxA(h_pWnd, unwritable().c_str(), "write error", MB_OK);
            return 0;
        }
        // An axis whose title could not be made still gets a (textless) title record, so
        // that every file written can be read back.
        std::unique_ptr<TitleOnWin> placeholder;
        TitleOnWin* title = title_on_win[axis + 1].get();
        if (title == nullptr) {
            placeholder = std::make_unique<TitleOnWin>(h_pWnd, nullptr, kTitleDirections[axis + 1],
                                                       axis + 1, 0, 0, 0, 0, 0, 0, 100);
            title = placeholder.get();
        }
        if (!title->SaveFromFile(h_File, &bytes)) {
            MessageBoxA(h_pWnd, unwritable().c_str(), "write error", MB_OK);
            return 0;
        }
    }
    if (!graph_view->PutGrpLnLink()->PrintDateDivide(h_File)) {
        MessageBoxA(h_pWnd, unwritable().c_str(), "write error", MB_OK);
        return 0;
    }
    return 1;
}

bool GraphOnWin::FitsItsFile(bool with_legend) {
    const auto fits = [](const MoveFrame* frame) {
        return frame == nullptr || frame->FitsFileLimits();
    };
    for (const auto& title : title_on_win) {
        if (!fits(title.get())) return false;
    }
    for (int axis = 0; axis < 4; ++axis) {
        if (!fits(axis_tick[axis].get()) || !fits(axis_frame[axis].get())) return false;
        if (axis_frame[axis] && !std::isfinite(axis_frame[axis]->DateScTrns())) return false;
    }
    if (graph_view) {
        const tagRECT view = graph_view->GetRectOnTwip();
        if (!Plot_WithinLimits(view.left, view.top, view.right, view.bottom)) return false;
    }
    if (with_legend && glist_frame) {
        if (!fits(glist_frame.get())) return false;
        for (const auto& part : *glist_frame->PutGListLink()) {
            if (!fits(part.get())) return false;
        }
        for (const auto& part : *glist_frame->PutTtlLink()) {
            if (!fits(part.get())) return false;
        }
    }
    return true;
}

int GraphOnWin::Savable() {
    if (!graph_view) {
        MessageBoxA(h_pWnd, "書き込めるデータがありません", "no write date", MB_OK);
        return 0;
    }
    if (sinfo_flag == 0) {
        MessageBoxA(h_pWnd, "更新されたものがありません", "no new date", MB_OK);
        return -1;
    }
    return 1;
}

int GraphOnWin::SaveGraphToFile() {
    if (reference_file.empty()) return SaveGraphToNewFile();
    const int savable = Savable();
    if (savable != 1) return savable;
    return WriteToFile(reference_file);
}

int GraphOnWin::WriteToFile(const std::string& path) {
    const FileWork work(true);
    DocWriter writer;
    writer.SetProgress(work.Progress(), Expected_FileSize(graph_view.get()));
    if (!WriteDocument(&writer)) return -2;
    if (writer.Abandoned()) return -3;
    // The old file stays whole until the new one is completely on disk.
    const int written = Write_FileSafely(path, writer.Bytes());
    if (written == 0) {
        MessageBoxA(h_pWnd, "ファイルのオープンに失敗しました", "open error", MB_OK);
        return -2;
    }
    if (written < 0) {
        MessageBoxA(h_pWnd, "ファイルの書き込みに失敗しました。\n元のファイルはそのままです",
                    "write error", MB_OK);
        return -2;
    }
    sinfo_flag = 0;
    return 1;
}

int GraphOnWin::SaveGraphAs(const std::string& path) {
    // A copy under another name is written even when nothing changed since the last save.
    if (!graph_view) return Savable();
    const int result = WriteToFile(path);
    if (result == 1) reference_file = path;
    return result;
}

int GraphOnWin::SaveGraphToNewFile() {
    if (!graph_view) return Savable();
    char title[64] = "";
    int filter = 0;
    if (!Save_FilePath(h_pWnd, save_name, title, &filter, kDocumentFilter, "dat",
                       "保存ファイルを指定", sizeof save_name)) {
        return -3;
    }
    return SaveGraphAs(save_name);
}

namespace {
// The question before a document replaces a changed graph; false when the user chose
// キャンセル or a save the user asked for did not happen, which stops the opening: nothing
// is lost.
bool Save_BeforeOpening(GraphOnWin* graph, HWND owner) {
    if (!graph->graph_view || graph->RsinfoFlag() == 0) return true;
    const int answer = MessageBoxA(owner, "現在のデータを保存しますか?", "Do you save data?",
                                   MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL) return false;
    return !(answer == IDYES && graph->SaveGraphToFile() != 1);
}
}  // namespace

int GraphOnWin::OpenDroppedFile(const std::string& path, LONG h_shift, LONG v_shift) {
    if (!Save_BeforeOpening(this, h_pWnd)) return -3;
    return OpenGraphFile(path, h_shift, v_shift);
}

int GraphOnWin::OpenFileToGraph(LONG h_shift, LONG v_shift) {
    if (!Save_BeforeOpening(this, h_pWnd)) return -3;
    char title[64] = "";
    if (!GetOpen_FilePath(h_pWnd, open_name, title, kDocumentFilter, "dat",
                          "データを読むファイルを指定", sizeof open_name)) {
        return 1;
    }
    return OpenGraphFile(open_name, h_shift, v_shift);
}

namespace {
// The open file behind a document being read; closed when this goes.
class OpenedFile {
public:
    explicit OpenedFile(const std::string& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~OpenedFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;
    int Descriptor() const { return fd_; }

private:
    int fd_;
};
}  // namespace

int GraphOnWin::OpenGraphFile(const std::string& path, LONG h_shift, LONG v_shift) {
    std::unique_ptr<FileWork> work = std::make_unique<FileWork>(false);
    const OpenedFile file(path);
    struct stat info;
    if (file.Descriptor() < 0 || ::fstat(file.Descriptor(), &info) != 0 || !S_ISREG(info.st_mode)) {
        work.reset();
        MessageBoxA(h_pWnd, "ファイルのオープンに失敗しました", "open error", MB_OK);
        return -1;
    }
    // The size and the magic are looked at before anything is read: a file that cannot be a
    // document, however large, costs neither time nor memory.
    const uint64_t size = static_cast<uint64_t>(info.st_size);
    char magic[sizeof kMagic] = {};
    const bool plausible =
        size >= kMinDocumentBytes && size <= kMaxDocumentBytes &&
        ::pread(file.Descriptor(), magic, sizeof magic, 0) == static_cast<ssize_t>(sizeof magic) &&
        std::memcmp(magic, kMagic, sizeof kMagic) == 0;
    int read = 0;
    bool input_failed = false;
    if (plausible) {
        DocReader reader(file.Descriptor(), static_cast<size_t>(size));
        reader.SetProgress(work->Progress());
        try {
            read = ReplaceFromReader(&reader, path, h_shift, v_shift);
        } catch (const std::bad_alloc&) {
            read = -4;
        }
        input_failed = reader.InputFailed();
    }
    work.reset();
    if (read == -3) return -3;
    if (read == -4) {
        MessageBoxA(h_pWnd, "メモリが足りないため、このデータは読めません。", "read error", MB_OK);
        return 0;
    }
    if (input_failed) {
        MessageBoxA(h_pWnd, "ファイルの読み込みに失敗しました", "read error", MB_OK);
        return 0;
    }
    if (read != 1) {
        MessageBoxA(h_pWnd, kReadError, "read error", MB_OK);
        return 0;
    }
    reference_file = path;
    sinfo_flag = 0;
    return 1;
}

int GraphOnWin::ReplaceFromBytes(const unsigned char* data, size_t size, const std::string& name,
                                 LONG h_shift, LONG v_shift, WorkProgress progress,
                                 bool keeps_utf8) {
    if (size == 0) {
        // The state of a paper without a graph.
        DeleteAllObject();
        return 1;
    }
    DocReader reader(data, size);
    reader.keeps_utf8 = keeps_utf8;
    reader.SetProgress(std::move(progress));
    return ReplaceFromReader(&reader, name, h_shift, v_shift);
}

int GraphOnWin::ReplaceFromReader(DocReader* reader, const std::string& name, LONG h_shift,
                                  LONG v_shift) {
    // Read into a new document; the graph on screen is replaced only by a whole document.
    GraphOnWin fresh(h_pWnd, twip_lfpos, twip_tppos, Trunc_ToInt32(box_width),
                     Trunc_ToInt32(box_height), nullptr, h_shift, v_shift, ZoomPercent(), nullptr,
                     nullptr, nullptr, nullptr, nullptr, nullptr);
    if (fresh.GraphSetFromFile(reader, name.c_str(), h_shift, v_shift) != 1) {
        return reader->Abandoned() ? -3 : 0;
    }
    DeleteAllObject();
    for (int slot = 0; slot < 5; ++slot) title_on_win[slot] = std::move(fresh.title_on_win[slot]);
    for (int axis = 0; axis < 4; ++axis) {
        axis_frame[axis] = std::move(fresh.axis_frame[axis]);
        axis_tick[axis] = std::move(fresh.axis_tick[axis]);
        axis_flag[axis] = fresh.axis_flag[axis];
    }
    graph_view = std::move(fresh.graph_view);
    glist_frame = std::move(fresh.glist_frame);
    return 1;
}

bool GraphOnWin::ViewState(std::string* state) const {
    state->clear();
    if (!graph_view) return true;
    DocWriter writer;
    writer.keeps_utf8 = true;
    for (int axis = 0; axis < 4; ++axis) writer.Put32(graph_view->GridSwitches()[axis]);
    const GrpLnLink* lines = graph_view->PutGrpLnLink();
    writer.Put32(static_cast<int32_t>(lines->Count()));
    for (size_t i = 0; i < lines->Count(); ++i) {
        GraphLine* line = lines->Array(static_cast<short>(i));
        writer.Put32(line ? line->MarkerDev() : 0);
    }
    writer.Put32(glist_frame ? 1 : 0);
    if (glist_frame && !glist_frame->SaveState(&writer)) return false;
    *state = writer.Bytes();
    return true;
}

bool GraphOnWin::RestoreViewState(const std::string& state, LONG h_shift, LONG v_shift) {
    if (!graph_view || state.empty()) return state.empty();
    DocReader reader(reinterpret_cast<const unsigned char*>(state.data()), state.size());
    reader.keeps_utf8 = true;
    int32_t grid[4] = {0, 0, 0, 0};
    int32_t count = 0;
    for (int32_t& flag : grid) reader.Get32(&flag);
    GrpLnLink* lines = graph_view->PutGrpLnLink();
    if (!reader.Get32(&count) || count != static_cast<int32_t>(lines->Count())) return false;
    for (int32_t i = 0; i < count; ++i) {
        int32_t interval = 0;
        if (!reader.Get32(&interval)) return false;
        if (GraphLine* line = lines->Array(static_cast<short>(i))) line->MarkerDev() = interval;
    }
    for (int axis = 0; axis < 4; ++axis) graph_view->GridSwitches()[axis] = grid[axis];
    graph_view->DrawAllObject();
    int32_t has_legend = 0;
    if (!reader.Get32(&has_legend)) return false;
    if (has_legend != 0 &&
        (!glist_frame || !glist_frame->RestoreState(&reader, h_shift, v_shift))) {
        return false;
    }
    return !reader.Failed() && reader.Left() == 0;
}

bool GraphOnWin::DocumentBytes(std::string* bytes, bool keeps_utf8) {
    bytes->clear();
    if (!graph_view) return true;
    DocWriter writer;
    writer.keeps_utf8 = keeps_utf8;
    if (!WriteDocument(&writer)) return false;
    *bytes = writer.TakeBytes();
    return true;
}

int GraphOnWin::GraphSetFromFile(DocReader* h_File, const char* dsource_file, LONG h_shift,
                                 LONG v_shift) {
    char magic[8];
    if (!h_File->GetBytes(magic, sizeof magic) || std::memcmp(magic, kMagic, 8) != 0) return 0;
    DeleteAllObject();
    int32_t flags[4] = {0, 0, 0, 0};
    int32_t edges[4] = {0, 0, 0, 0};
    for (int32_t& flag : flags) h_File->Get32(&flag);
    for (int32_t& edge : edges) h_File->Get32(&edge);
    if (h_File->Failed()) return 0;
    tagRECT view;
    view.left = edges[0];
    view.top = edges[1];
    view.right = edges[2];
    view.bottom = edges[3];
    if (!Plot_WithinLimits(view.left, view.top, view.right, view.bottom)) return 0;
    const int zoom = ZoomPercent();
    tagRECT dot;
    SetRect(&dot, 0, 0, 1, 1);
    tagPOINT start;
    start.x = 5;
    start.y = 5;
    for (int axis = 0; axis < 4; ++axis) {
        axis_flag[axis] = flags[axis] != 0 ? 1 : 0;
        if (!axis_flag[axis]) continue;
        title_on_win[axis + 1] =
            std::make_unique<TitleOnWin>(h_pWnd, nullptr, kTitleDirections[axis + 1], axis + 1, 0,
                                         0, 1, 1, h_shift, v_shift, zoom);
        axis_frame[axis] =
            std::make_unique<AxisFrame>(h_pWnd, axis, kTitleDirections[axis + 1], 0, nullptr, 0.0,
                                        &dot, h_shift, v_shift, zoom, 0, 0, 3, start);
        axis_tick[axis] = std::make_unique<AxisTick>(h_pWnd, static_cast<short>(axis), 0.0, 0.0,
                                                     0.0, &dot, h_shift, v_shift, zoom, 0);
    }
    int16_t has_title = 0;
    if (!h_File->Get16(&has_title)) return 0;
    unsigned long bytes = 0;
    if (has_title != 0) {
        title_on_win[0] =
            std::make_unique<TitleOnWin>(h_pWnd, nullptr, 0, 0, 0, 0, 1, 1, h_shift, v_shift, zoom);
        if (!title_on_win[0]->ReadFromFile(h_File, &bytes, h_shift, v_shift)) return 0;
    }
    graph_view = std::make_unique<GraphView>(h_pWnd, &view, h_shift, v_shift, zoom);
    for (int axis = 0; axis < 4; ++axis) {
        if (!axis_flag[axis]) continue;
        if (!axis_tick[axis]->ReadFromFile(h_File, &bytes, h_shift, v_shift) ||
            !axis_frame[axis]->ReadFromFile(h_File, &bytes, h_shift, v_shift) ||
            !title_on_win[axis + 1]->ReadFromFile(h_File, &bytes, h_shift, v_shift)) {
            return 0;
        }
        graph_view->SetGridLine(axis_tick[axis].get());
    }
    int16_t total = 0;  // the groups' own counts are what count
    if (!h_File->Get16(&total)) return 0;
    for (const auto& pair : kGroupAxes) {
        if (ReadDataDivide(h_File, pair, h_shift, v_shift) < 0) return 0;
    }
    // Every byte must have been read: anything after the last group is not this format.
    if (h_File->Failed() || h_File->Left() != 0) return 0;
    graph_view->DrawAllObject();
    tagRECT legend;
    SetRect(&legend, 0, 0, view.right / 4, view.bottom / 5);
    glist_frame = std::make_unique<GListFrame>(h_pWnd, *graph_view->PutGrpLnLink(), view, legend,
                                               h_shift, v_shift, zoom);
    reference_file = dsource_file != nullptr ? dsource_file : "";
    sinfo_flag = 0;
    return 1;
}

int GraphOnWin::ReadDataDivide(DocReader* h_File, const int* axisflag_array, LONG, LONG) {
    int16_t count = 0;
    if (!h_File->Get16(&count)) return -1;
    if (count < 0) {
        h_File->Fail();
        return -1;
    }
    if (count == 0) return 0;
    GrpDate2D date(count, nullptr);
    ArrayCls<int> kinds(count), styles(count), widths(count), radii(count);
    ArrayCls<COLORREF> line_colors(count), marker_colors(count);
    for (int i = 0; i < count; ++i) {
        int32_t name_length = 0;
        if (!h_File->Get32(&name_length) || !h_File->CountFits(name_length, 1)) return -1;
        // A name too long to be kept reads back empty; its bytes are passed over unread.
        const bool kept =
            name_length <= (h_File->keeps_utf8 ? 4 * kMaxSeriesNameBytes : kMaxSeriesNameBytes);
        std::string cp932(kept ? static_cast<size_t>(name_length) : 0, '\0');
        if (!(kept ? h_File->GetBytes(cp932.data(), cp932.size())
                   : h_File->Skip(static_cast<size_t>(name_length)))) {
            return -1;
        }
        int32_t points = 0;
        if (!h_File->Get32(&points)) return -1;
        std::string name;
        // A series has one point at least, and no more than a sampler can make.
        if (cp932.find('\0') != std::string::npos || !Text_OfStored(h_File, cp932, &name) ||
            points < 1 || points > kMaxSeriesPoints || !h_File->CountFits(points, 16)) {
            h_File->Fail();
            return -1;
        }
        std::vector<double> x(static_cast<size_t>(points));
        std::vector<double> y(static_cast<size_t>(points));
        for (int32_t p = 0; p < points; ++p) {
            h_File->GetDouble(&x[static_cast<size_t>(p)]);
            h_File->GetDouble(&y[static_cast<size_t>(p)]);
        }
        int32_t kind = 0, style = 0, width = 0, radius = 0;
        uint32_t line_color = 0, marker_color = 0;
        if (!h_File->Get32(&kind) || !h_File->GetU32(&line_color) || !h_File->Get32(&style) ||
            !h_File->Get32(&width) || !h_File->GetU32(&marker_color) || !h_File->Get32(&radius)) {
            return -1;
        }
        // Pens and markers the drawing could not make in reasonable time are not a graph.
        if (!Sane_Property(kind, -1000, 1000) || !Sane_Property(style, 0, 1000) ||
            !Sane_Property(width, 0, 1000) || !Sane_Property(radius, 0, 10000)) {
            h_File->Fail();
            return -1;
        }
        PointArray series(points, x.data(), y.data(), nullptr);
        series.SetTheName(name.c_str());
        date[i] = series;
        kinds[i] = kind;
        line_colors[i] = line_color;
        styles[i] = style;
        widths[i] = width;
        marker_colors[i] = marker_color;
        radii[i] = radius;
    }
    SetGraphFromFile(&date, axisflag_array, &kinds, &line_colors, &styles, &widths, &marker_colors,
                     &radii);
    return 1;
}

int GraphOnWin::SetGraphFromFile(GrpDate2D* date, const int* axisflag_array,
                                 ArrayCls<int>* mrk_kind, ArrayCls<COLORREF>* data_color,
                                 ArrayCls<int>* data_style, ArrayCls<int>* data_size,
                                 ArrayCls<COLORREF>* mrk_color, ArrayCls<int>* mrk_size) {
    const int ux = axisflag_array[0];
    const int uy = axisflag_array[1];
    // A group whose axes the file does not have is dropped.
    if (!axis_frame[ux] || !axis_frame[uy]) return 0;
    const int x_count = axis_frame[ux]->PutNumDspObj();
    const int y_count = axis_frame[uy]->PutNumDspObj();
    if (x_count <= 0) return -1;
    if (y_count <= 0) return -2;
    std::vector<double> x_labels(static_cast<size_t>(x_count));
    std::vector<double> y_labels(static_cast<size_t>(y_count));
    axis_frame[ux]->PutNumObjDblArray(x_labels.data());
    axis_frame[uy]->PutNumObjDblArray(y_labels.data());
    PointDbl origin;
    origin.x = x_labels.front();
    origin.y = y_labels.back();
    PointDbl factors;
    factors.x = axis_frame[ux]->DateScTrns();
    factors.y = axis_frame[uy]->DateScTrns();
    AddNewGrpDate(date, origin, factors, mrk_kind, data_color, data_style, data_size, mrk_color,
                  mrk_size, ux, uy);
    return 1;
}

int GraphOnWin::PrnGraphTableData(std::ostream& output) {
    if (!graph_view) return 0;
    return graph_view->PutGrpLnLink()->PrnGraphTableData(output);
}

int Write_GraphTable(GraphOnWin* graph, const std::string& path) {
    ReplacingFile file;
    if (!file.Begin(path)) return 0;
    std::ostringstream output;
    output.imbue(std::locale::classic());
    graph->PrnGraphTableData(output);
    return output.good() && file.Write(output.str()) && file.Commit() ? 1 : 0;
}

int WriteGraphdata_ToFile(HWND hWnd, GraphOnWin* graph) {
    static char csv_name[FILE_NAME_SIZE] = "";
    char title[64] = "";
    int filter = 0;
    if (graph == nullptr || !graph->graph_view ||
        !Save_FilePath(hWnd, csv_name, title, &filter, "csv files(*.csv)\0*.csv\0", "csv",
                       "グラフデータ出力先", sizeof csv_name)) {
        MessageBoxA(hWnd, "出力先のオープンに失敗", "file open fail", MB_OK);
        return 0;
    }
    // A stream that cannot be opened or written is reported too.
    if (!Write_GraphTable(graph, csv_name)) {
        MessageBoxA(hWnd, "出力先のオープンに失敗", "file open fail", MB_OK);
        return 0;
    }
    return 1;
}
