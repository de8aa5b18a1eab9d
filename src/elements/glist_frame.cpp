// The legend box: its rows (a line sample and a name per series), building and re-placing
// them, selection inside the box, and the edits of one series through its row.
#include "elements/glist_frame.h"

#include <algorithm>
#include <vector>

#include "elements/element_paint.h"
#include "formula/number_text.h"
#include "frames/document_limits.h"
#include "frames/trans_unit.h"
#include "platform/dialog.h"
#include "platform/message_box.h"
#include "platform/numeric.h"

namespace {

// Layout of a legend row, in pixels at 100 %.
constexpr LONG kFirstRowTop = 5;
constexpr LONG kRowGap = 5;
constexpr LONG kSampleStart = 5;
constexpr LONG kSampleEnd = 55;
constexpr LONG kNameLeft = 60;
constexpr LONG kBoxExtra = 65;

LONG Narrow(int64_t value) { return static_cast<LONG>(value); }

void Out_OfRange(HWND hwnd) {
    MessageBoxA(hwnd, "指定オブジェクトの番号が範囲外です", "out of range", MB_OK);
}

int Draw_Part(GListLine& part) { return part.Draw(); }
int Draw_Part(TitleOnWin& part) { return part.DrawTitle(); }
int Clear_Part(GListLine& part) { return part.ClearLine(); }
int Clear_Part(TitleOnWin& part) { return part.ClearContent(); }

tagRECT Offset_Twips(tagRECT rect, LONG dx, LONG dy) {
    rect.left = Narrow(int64_t(rect.left) + dx);
    rect.right = Narrow(int64_t(rect.right) + dx);
    rect.top = Narrow(int64_t(rect.top) + dy);
    rect.bottom = Narrow(int64_t(rect.bottom) + dy);
    return rect;
}

// The sample line's two points for a row of height pixels.
void Set_SamplePoints(PointDate* points, LONG height) {
    tagPOINT ends[2] = {{kSampleStart, height / 2}, {kSampleEnd, height / 2}};
    points->SetPointDate(2, ends);
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Part lists

template <class Part>
Part* PartList<Part>::Array(short number) const {
    if (number >= 0 && number < PutElementNum()) return parts[number].get();
    Out_OfRange(h_grpWin);
    return parts.empty() ? nullptr : parts.front().get();
}

template <class Part>
int PartList<Part>::Remove(short number) {
    if (number < 0 || number >= PutElementNum()) return 0;
    parts.erase(parts.begin() + number);
    return 1;
}

template <class Part>
int PartList<Part>::Draw(short start, short the_end) {
    if (start < 0 || the_end < 0 || start >= PutElementNum() || the_end >= PutElementNum()) {
        Out_OfRange(h_grpWin);
        return 0;
    }
    for (int i = start; i <= the_end; ++i) Draw_Part(*parts[i]);
    return 1;
}

template <class Part>
int PartList<Part>::DrawAll() {
    for (auto& part : parts) Draw_Part(*part);
    return 1;
}

template <class Part>
int PartList<Part>::ClearContent() {
    for (auto& part : parts) Clear_Part(*part);
    return 1;
}

template class PartList<GListLine>;
template class PartList<TitleOnWin>;

LONG TtlLnLink::GetMaxWidth() const {
    double widest = 0.0;
    for (auto& part : parts) widest = std::max(widest, part->GetBoxWidth());
    return Trunc_ToInt32(widest);
}

// ---------------------------------------------------------------------------------------
// The legend box

GListFrame::GListFrame(HWND h_Wnd, GrpLnLink& source_date, tagRECT view_rect, tagRECT gframe_rect,
                       LONG h_shift, LONG v_shift, int zoom_val)
    : MoveFrame(h_Wnd, gframe_rect.left, gframe_rect.top,
                Narrow(int64_t(gframe_rect.right) - gframe_rect.left),
                Narrow(int64_t(gframe_rect.bottom) - gframe_rect.top), h_shift, v_shift, zoom_val,
                0),
      grp_link(h_Wnd),
      ttl_link(h_Wnd),
      source_link(&source_date) {
    tagRECT rect = MakeFrameSize(h_Wnd, &view_rect, h_shift, v_shift);
    SetNewMoveFrame(&rect, h_shift, v_shift);
    vir_frame.x = BoxPixelWidth();
    vir_frame.y = BoxPixelHeight();
    SyncOrigin();
    obj_type = 5;
    SetContDrawFlag(1);
    DrawAllObject();
}

bool GListFrame::SaveState(DocWriter* state) const {
    unsigned long size = 0;
    SavePosInfo(state, &size);
    state->Put32(show_flag);
    state->Put32(dtitle_num);
    state->Put32(grp_link.PutElementNum());
    state->Put32(ttl_link.PutElementNum());
    for (const auto& part : grp_link) part->SaveState(state);
    for (const auto& part : ttl_link) {
        if (!part->SaveFromFile(state, &size)) return false;
    }
    return true;
}

bool GListFrame::RestoreState(DocReader* state, LONG h_shift, LONG v_shift) {
    // The box first (its rows follow it), then every row at its own kept place.
    unsigned long size = 0;
    int32_t kind = 0, left = 0, top = 0, shown = 0, next_name = 0, lines = 0, names = 0;
    double width = 0.0, height = 0.0;
    if (!state->Get32(&kind) || !state->Get32(&left) || !state->Get32(&top) ||
        !state->GetDouble(&width) || !state->GetDouble(&height) || !state->Get32(&shown) ||
        !state->Get32(&next_name) || !state->Get32(&lines) || !state->Get32(&names) ||
        lines != grp_link.PutElementNum() || names != ttl_link.PutElementNum()) {
        return false;
    }
    tagRECT rect = Twip_Rect(left, top, width, height);
    MoveObjectWithOutMouse(&rect, h_shift, v_shift);
    for (auto& part : grp_link) {
        if (!part->RestoreState(state, h_shift, v_shift)) return false;
    }
    for (auto& part : ttl_link) {
        if (!part->ReadFromFile(state, &size, h_shift, v_shift)) return false;
    }
    SyncOrigin();
    dtitle_num = next_name;
    if ((shown != 0) != (show_flag != 0)) SwitchDisplay();
    DrawAllObject();
    return true;
}

void GListFrame::SyncOrigin() {
    part_origin.x = twip_lfpos;
    part_origin.y = twip_tppos;
}

std::string GListFrame::DateName(int index_num, int* title_flag) {
    *title_flag = 0;
    GraphLine* line = source_link->Array(static_cast<short>(index_num));
    if (!line) return std::string();
    if (line->PutDateTitle()) return line->PutDateTitle();
    char number[16];
    Short_To_C(static_cast<short>(dtitle_num), number, sizeof number);
    std::string name = std::string("データ") + number;
    line->SetDateTitle(name.c_str());
    ++dtitle_num;
    *title_flag = 1;
    return name;
}

LONG GListFrame::RowHeight(LONG text_height, int obj_num) const {
    LONG h = text_height < 1 ? 10 : text_height;
    GraphLine* line = obj_num < source_link->PutElementNum()
                          ? source_link->Array(static_cast<short>(obj_num))
                          : nullptr;
    if (line && line->LineInfo()->PutMarker() != 0 && h < 6) h = 6;
    return h;
}

tagRECT GListFrame::MakeFrameSize(HWND h_Wnd, const tagRECT* view_rect, LONG h_shift,
                                  LONG v_shift) {
    LONG y = kFirstRowTop;
    LONG widest = 0;
    FontSet font(h_Wnd, 12);
    const int zoom = ZoomPercent();
    for (short i = 0; i < source_link->PutElementNum(); ++i) {
        int generated = 0;
        const std::string name = DateName(i, &generated);
        const tagPOINT size = TitleOnWin::GetContentsSize(h_Wnd, name.c_str(), &font, 0);
        const LONG h = RowHeight(size.y, i);
        widest = std::max(widest, size.x);
        AppendLine(h_Wnd, i, 0, y, h, h_shift, v_shift, zoom);
        AppendTitle(h_Wnd, name.c_str(), 0, y, size.x, h, h_shift, v_shift, zoom);
        y = Narrow(int64_t(y) + h + kRowGap);
    }
    tagRECT rect;
    rect.right = view_rect->right;
    rect.top = view_rect->top;
    rect.left = Narrow(int64_t(rect.right) - Pixel_ToTwip(widest + kBoxExtra, h_Wnd, 100, 1));
    rect.bottom = Narrow(int64_t(rect.top) + Pixel_ToTwip(y, h_Wnd, 100, 2));
    for (auto& part : grp_link) Shift_Part(part.get(), rect.left, rect.top, h_shift, v_shift);
    for (auto& part : ttl_link) Shift_Part(part.get(), rect.left, rect.top, h_shift, v_shift);
    return rect;
}

void GListFrame::Shift_Part(MoveFrame* part, LONG dx, LONG dy, LONG h_shift, LONG v_shift) {
    tagRECT rect = Offset_Twips(part->GetRectOnTwip(), dx, dy);
    part->SetNewMoveFrame(&rect, h_shift, v_shift);
}

void GListFrame::AppendLine(HWND h_Wnd, int obj_num, LONG twip_left, LONG pos_top,
                            LONG title_height, LONG h_shift, LONG v_shift, int zoom_val) {
    PointDate points(2);
    Set_SamplePoints(&points, title_height);
    tagRECT rect;
    rect.left = twip_left;
    rect.top = Pixel_ToTwip(pos_top, h_Wnd, 100, 2);
    rect.right = Narrow(int64_t(twip_left) + Pixel_ToTwip(kNameLeft, h_Wnd, 100, 1));
    rect.bottom = Pixel_ToTwip(Narrow(int64_t(pos_top) + title_height), h_Wnd, 100, 2);
    auto sample = std::make_unique<GListLine>(h_Wnd, &points, rect, h_shift, v_shift, zoom_val);
    if (obj_num >= 0 && obj_num < source_link->PutElementNum()) {
        GraphLine* line = source_link->Array(static_cast<short>(obj_num));
        LineProp* from = line->LineInfo();
        LineProp* to = sample->LineInfo();
        to->SetPenStyle(from->PutLineStyle());
        to->SetPenSize(from->PutLineSize());
        to->SetMarker(from->PutMarker());
        to->SetPenRadius(from->PutRadius());
        *sample->ColorInfo() = *line->ColorInfo();
    }
    grp_link.Append(std::move(sample));
}

void GListFrame::AppendTitle(HWND h_Wnd, const char* title, LONG twip_left, LONG pos_top,
                             LONG width_size, LONG hight_size, LONG h_shift, LONG v_shift,
                             int zoom_val) {
    ttl_link.Append(std::make_unique<TitleOnWin>(
        h_Wnd, title, 0, 2, Narrow(int64_t(twip_left) + Pixel_ToTwip(kNameLeft, h_Wnd, 100, 1)),
        Pixel_ToTwip(pos_top, h_Wnd, 100, 2), Pixel_ToTwip(width_size, h_Wnd, 100, 1),
        Pixel_ToTwip(hight_size, h_Wnd, 100, 2), h_shift, v_shift, zoom_val));
}

int GListFrame::AddObject(LONG h_shift, LONG v_shift) {
    const short index = static_cast<short>(source_link->PutElementNum() - 1);
    if (index < 0) return 0;
    int generated = 0;
    const std::string name = DateName(index, &generated);
    FontSet font(h_pWnd, 12);
    const tagPOINT size = TitleOnWin::GetContentsSize(h_pWnd, name.c_str(), &font, 0);
    const LONG h = RowHeight(size.y, index);
    const LONG widest = std::max<LONG>(std::max<LONG>(ttl_link.GetMaxWidth(), 0),
                                       Pixel_ToTwip(size.x, h_pWnd, 100, 1));
    const tagRECT box = GetRectOnTwip();
    const LONG pos_top = Twip_ToPixel(box.bottom, h_pWnd, 100, 2);
    AppendLine(h_pWnd, index, box.left, pos_top, h, h_shift, v_shift, ZoomPercent());
    AppendTitle(h_pWnd, name.c_str(), box.left, pos_top, size.x, h, h_shift, v_shift,
                ZoomPercent());
    tagRECT rect = box;
    rect.right = Narrow(int64_t(box.left) + widest + Pixel_ToTwip(kBoxExtra, h_pWnd, 100, 1));
    rect.bottom = Pixel_ToTwip(Narrow(int64_t(pos_top) + h + kRowGap), h_pWnd, 100, 2);
    SetNewMoveFrame(&rect, h_shift, v_shift);
    vir_frame.x = BoxPixelWidth();
    vir_frame.y = BoxPixelHeight();
    // The new row follows the box: hidden in a hidden legend.
    GListLine* sample = grp_link.Array(static_cast<short>(grp_link.PutElementNum() - 1));
    TitleOnWin* title = ttl_link.Array(static_cast<short>(ttl_link.PutElementNum() - 1));
    sample->DisplayFlag() = show_flag;
    title->DisplayFlag() = show_flag;
    sample->Draw();
    title->DrawTitle();
    SyncOrigin();
    return 1;
}

int GListFrame::DeleteGList(int obj_num, LONG h_shift, LONG v_shift) {
    if (obj_num < 0 || obj_num >= ttl_link.PutElementNum() || obj_num >= grp_link.PutElementNum()) {
        return 0;
    }
    const short n = static_cast<short>(obj_num);
    TitleOnWin* title = ttl_link.Array(n);
    GListLine* sample = grp_link.Array(n);
    const LONG removed = Narrow(int64_t(Trunc_ToInt32(title->GetBoxHeight())) +
                                Pixel_ToTwip(kRowGap, h_pWnd, 100, 2));
    if (selectobj == title || selectobj == sample) selectobj = nullptr;
    grp_link.Remove(n);
    ttl_link.Remove(n);
    for (short i = n; i < grp_link.PutElementNum(); ++i) {
        Shift_Part(grp_link.Array(i), 0, -removed, h_shift, v_shift);
    }
    for (short i = n; i < ttl_link.PutElementNum(); ++i) {
        Shift_Part(ttl_link.Array(i), 0, -removed, h_shift, v_shift);
    }
    tagRECT rect = GetRectOnTwip();
    if (ttl_link.PutElementNum() == 0) {
        rect.right = rect.left;
        rect.bottom = rect.top;
    } else {
        rect.right = Narrow(int64_t(rect.left) + ttl_link.GetMaxWidth() +
                            Pixel_ToTwip(kBoxExtra, h_pWnd, 100, 1));
        rect.bottom = Narrow(int64_t(rect.bottom) - removed);
    }
    SetNewMoveFrame(&rect, h_shift, v_shift);
    vir_frame.x = BoxPixelWidth();
    vir_frame.y = BoxPixelHeight();
    SyncOrigin();
    return 1;
}

tagRECT GListFrame::AdjustFrame(int obj_num, TitleOnWin* the_target, LONG h_shift, LONG v_shift) {
    const short n = static_cast<short>(obj_num);
    const tagPOINT size =
        TitleOnWin::GetContentsSize(h_pWnd, the_target->PutTitle(), the_target->PutFontSet(), 0);
    const LONG new_h_px = RowHeight(size.y, obj_num);
    const LONG new_w = Pixel_ToTwip(size.x, h_pWnd, 100, 1);
    const LONG new_h = Pixel_ToTwip(new_h_px, h_pWnd, 100, 2);
    const LONG dw = Narrow(int64_t(new_w) - Trunc_ToInt32(the_target->GetBoxWidth()));
    const LONG dh = Narrow(int64_t(new_h) - Trunc_ToInt32(the_target->GetBoxHeight()));
    if (n >= 0 && n < grp_link.PutElementNum()) {
        GListLine* sample = grp_link.Array(n);
        tagRECT rect = sample->GetRectOnTwip();
        rect.bottom = Narrow(int64_t(rect.bottom) + dh);
        sample->MoveToNewFrame(&rect, h_shift, v_shift);
        Set_SamplePoints(sample->PutPointDate(), new_h_px);
    }
    tagRECT name = the_target->GetRectOnTwip();
    name.right = Narrow(int64_t(name.right) + dw);
    name.bottom = Narrow(int64_t(name.bottom) + dh);
    the_target->MoveToNewFrame(&name, h_shift, v_shift);
    for (short i = static_cast<short>(n + 1); i < grp_link.PutElementNum(); ++i) {
        Shift_Part(grp_link.Array(i), 0, dh, h_shift, v_shift);
    }
    for (short i = static_cast<short>(n + 1); i < ttl_link.PutElementNum(); ++i) {
        Shift_Part(ttl_link.Array(i), 0, dh, h_shift, v_shift);
    }
    tagRECT rect = GetRectOnTwip();
    rect.right = Narrow(int64_t(rect.left) + ttl_link.GetMaxWidth() +
                        Pixel_ToTwip(kBoxExtra, h_pWnd, 100, 1));
    rect.bottom = Narrow(int64_t(rect.bottom) + dh);
    SetNewMoveFrame(&rect, h_shift, v_shift);
    vir_frame.x = BoxPixelWidth();
    vir_frame.y = BoxPixelHeight();
    SyncOrigin();
    return rect;
}

// ---------------------------------------------------------------------------------------
// Selection

MoveFrame* GListFrame::GetMPointInObj(LONG x_pos, LONG y_pos, int* the_kind, int* curs_state) {
    if (show_flag == 0) return nullptr;
    for (auto& part : grp_link) {
        const int code = part->GeObjtPartOfPos(x_pos, y_pos);
        if (code >= 0) {
            *curs_state = code;
            *the_kind = 6;
            return part.get();
        }
    }
    for (auto& part : ttl_link) {
        const int code = part->GeObjtPartOfPos(x_pos, y_pos);
        if (code >= 0) {
            *curs_state = code;
            *the_kind = 1;
            return part.get();
        }
    }
    const int code = GeObjtPartOfPos(x_pos, y_pos);
    if (code >= 0) {
        *curs_state = code;
        *the_kind = 5;
        return this;
    }
    return nullptr;
}

void GListFrame::ClearInnerSelection() {
    if (!selectobj) return;
    selectobj->BoderFlag() = 0;
    selectobj->UpdFrmLinePart();
    selectobj = nullptr;
}

int GListFrame::DeSelectInObject() {
    if (!selectobj) return 0;
    ClearInnerSelection();
    return 1;
}

int GListFrame::Select_At(LPARAM lParam, int* curs_state, bool clear_when_missed) {
    const LONG x = static_cast<int16_t>(LOWORD(static_cast<WPARAM>(lParam)));
    const LONG y = static_cast<int16_t>(HIWORD(static_cast<WPARAM>(lParam)));
    int local_state = *curs_state;
    int kind = -1;
    MoveFrame* found = GetMPointInObj(x, y, &kind, &local_state);
    if (!found) {
        if (clear_when_missed) ClearInnerSelection();
        return 0;
    }
    if (found == this) {
        ClearInnerSelection();
    } else if (found != selectobj) {
        ClearInnerSelection();
        selectobj = found;
        selectobj->BoderFlag() = 1;
        selectobj->UpdFrmLinePart();
    }
    wrt_flag = 1;
    UpdFrmLinePart();
    return 1;
}

// A left click that misses every part drops the inner selection; a right click keeps it.
int GListFrame::MDLSelect(LPARAM lParam, int* curs_state) {
    return Select_At(lParam, curs_state, true);
}

int GListFrame::MDRSelect(LPARAM lParam, int* curs_state) {
    return Select_At(lParam, curs_state, false);
}

int GListFrame::PutSelObjectKind() const { return selectobj ? selectobj->ObjectType() : -1; }

int GListFrame::NoFrameGList(int start_num) const {
    int i = 0;
    for (auto& part : grp_link) {
        if (i >= start_num && part->BoderFlag()) return i;
        ++i;
    }
    return -1;
}

int GListFrame::NoFrameTList(int start_num) const {
    int i = 0;
    for (auto& part : ttl_link) {
        if (i >= start_num && part->BoderFlag()) return i;
        ++i;
    }
    return -1;
}

// ---------------------------------------------------------------------------------------
// Display

void GListFrame::SetContDrawFlag(int set_flag) {
    for (auto& part : grp_link) part->DisplayFlag() = set_flag;
    for (auto& part : ttl_link) part->DisplayFlag() = set_flag;
    show_flag = set_flag;
}

int GListFrame::DrawAllObject() {
    grp_link.DrawAll();
    ttl_link.DrawAll();
    Invalidate_Update(h_pWnd, update_rgn);
    return 1;
}

int GListFrame::ClearContent() {
    grp_link.ClearContent();
    ttl_link.ClearContent();
    Invalidate_Update(h_pWnd, update_rgn);
    return 1;
}

int GListFrame::SwitchDisplay() {
    if (show_flag) {
        SetContDrawFlag(0);
        wrt_flag = 0;
        ClearInnerSelection();
        ClearContent();
        show_flag = 0;
    } else {
        SetContDrawFlag(1);
        DrawAllObject();
        show_flag = 1;
    }
    return 1;
}

// ---------------------------------------------------------------------------------------
// Edits of one series

int GListFrame::ChangeGListFont(int obj_num, LONG h_shift, LONG v_shift) {
    TitleOnWin* title = ttl_link.Array(static_cast<short>(obj_num));
    if (!title) return 0;
    LONG escapement = 0, orient = 0;
    const int result = title->ExtShowFontDlg(&escapement, &orient);
    if (result) {
        AdjustFrame(obj_num, title, h_shift, v_shift);
        SetContDrawFlag(1);
        DrawAllObject();
    }
    return result;
}

int GListFrame::ChangeGListCont(int obj_num, HINSTANCE p_Inst, LONG h_shift, LONG v_shift) {
    TitleOnWin* title = ttl_link.Array(static_cast<short>(obj_num));
    if (!title) return 0;
    char* text = nullptr;
    const int result = title->ExtShowTextSetDlg(p_Inst, &text);
    if (result) {
        int replaced = 0;
        if (!title->SetNewTitleCont(text, &replaced)) return 0;
        AdjustFrame(obj_num, title, h_shift, v_shift);
        if (obj_num >= 0 && obj_num < source_link->PutElementNum()) {
            source_link->Array(static_cast<short>(obj_num))->SetDateTitle(title->PutTitle());
        }
        SetContDrawFlag(1);
        DrawAllObject();
    }
    return result;
}

int GListFrame::SetColorProp(int obj_num) {
    if (obj_num < 0 || obj_num >= grp_link.PutElementNum() ||
        obj_num >= source_link->PutElementNum()) {
        return 0;
    }
    const short n = static_cast<short>(obj_num);
    *grp_link.Array(n)->ColorInfo() = *source_link->Array(n)->ColorInfo();
    return 1;
}

int GListFrame::SetLineProp(int obj_num) {
    if (obj_num < 0 || obj_num >= grp_link.PutElementNum() ||
        obj_num >= source_link->PutElementNum()) {
        return 0;
    }
    const short n = static_cast<short>(obj_num);
    LineProp* from = source_link->Array(n)->LineInfo();
    LineProp* to = grp_link.Array(n)->LineInfo();
    to->SetPenStyle(from->PutLineStyle());
    to->SetPenSize(from->PutLineSize());
    to->SetMarker(from->PutMarker());
    to->SetPenRadius(GListLine::kMarkerRadius);
    return 1;
}

// ---------------------------------------------------------------------------------------
// Moving the box with its parts

int GListFrame::MoveStart(LONG x_pos, LONG y_pos) {
    for (auto& part : grp_link) part->MoveStart(x_pos, y_pos);
    for (auto& part : ttl_link) part->MoveStart(x_pos, y_pos);
    return BaseFrame::MoveStart(x_pos, y_pos);
}

int GListFrame::MoveObject(LONG x_pos, LONG y_pos) {
    for (auto& part : grp_link) part->MoveObject(x_pos, y_pos);
    for (auto& part : ttl_link) part->MoveObject(x_pos, y_pos);
    return BaseFrame::MoveObject(x_pos, y_pos);
}

int GListFrame::MoveEnd(LONG x_pos, LONG y_pos, int mv_state) {
    for (auto& part : grp_link) part->MoveEnd(x_pos, y_pos, 0);
    for (auto& part : ttl_link) part->MoveEnd(x_pos, y_pos, 0);
    const int moved = MoveFrame::MoveEnd(x_pos, y_pos, mv_state);
    SyncOrigin();
    if (moved == 0) return 0;
    if (mv_state == 1) {
        double width = 0.0, height = 0.0;
        CalcRealSize(&width, &height);
        SetBoxSize(width, height);
        vir_frame.x = BoxPixelWidth();
        vir_frame.y = BoxPixelHeight();
    }
    Invalidate_Update(h_pWnd, update_rgn);
    return 1;
}

int GListFrame::MoveObjectToPoint(tagRECT* new_rect) {
    const tagRECT old_rect = BaseFrame::MoveObjectToPoint(new_rect);
    if (EqualRect(&old_rect, new_rect)) return 0;
    // The rows follow the box by the same number of pixels.
    const LONG dx = new_rect->left - old_rect.left;
    const LONG dy = new_rect->top - old_rect.top;
    const auto follow = [dx, dy](MoveFrame* part) {
        tagRECT rect = part->PutFrmRect();
        OffsetRect(&rect, dx, dy);
        part->MoveObjectToPoint(&rect);
    };
    for (auto& part : grp_link) follow(part.get());
    for (auto& part : ttl_link) follow(part.get());
    Invalidate_Update(h_pWnd, update_rgn);
    return 1;
}

int GListFrame::MoveObjectToPoint2(tagRECT* new_rect, tagRECT* twips_rect) {
    BaseFrame::MoveObjectToPoint(new_rect);
    const double width = static_cast<double>(int64_t(twips_rect->right) - twips_rect->left);
    const double height = static_cast<double>(int64_t(twips_rect->bottom) - twips_rect->top);
    if (width != box_width || height != box_height) {
        SetBoxSize(width, height);
        vir_frame.x = BoxPixelWidth();
        vir_frame.y = BoxPixelHeight();
    }
    // The rows follow the box by the same number of twips, with the box's shifts.
    const LONG dx = Narrow(int64_t(twips_rect->left) - part_origin.x);
    const LONG dy = Narrow(int64_t(twips_rect->top) - part_origin.y);
    const LONG h_shift = Narrow(int64_t(tr_lfpos) - new_rect->left);
    const LONG v_shift = Narrow(int64_t(tr_tppos) - new_rect->top);
    if (dx != 0 || dy != 0) {
        for (auto& part : grp_link) {
            tagRECT rect = Offset_Twips(part->GetRectOnTwip(), dx, dy);
            part->MoveObjectWithOutMouse(&rect, h_shift, v_shift);
        }
        for (auto& part : ttl_link) {
            tagRECT rect = Offset_Twips(part->GetRectOnTwip(), dx, dy);
            part->MoveObjectWithOutMouse(&rect, h_shift, v_shift);
        }
    }
    part_origin.x = twips_rect->left;
    part_origin.y = twips_rect->top;
    Invalidate_Update(h_pWnd, update_rgn);
    return 1;
}

int GListFrame::MoveObjectOutClient() {
    for (auto& part : grp_link) part->MoveObjectOutClient();
    for (auto& part : ttl_link) part->MoveObjectOutClient();
    return MoveFrame::MoveObjectOutClient();
}

int GListFrame::ObjectHScroll(LONG h_scroll) {
    MoveFrame::ObjectHScroll(h_scroll);
    for (auto& part : grp_link) part->ObjectHScroll(h_scroll);
    for (auto& part : ttl_link) part->ObjectHScroll(h_scroll);
    return 1;
}

int GListFrame::ObjectVScroll(LONG v_scroll) {
    MoveFrame::ObjectVScroll(v_scroll);
    for (auto& part : grp_link) part->ObjectVScroll(v_scroll);
    for (auto& part : ttl_link) part->ObjectVScroll(v_scroll);
    return 1;
}

int GListFrame::ChangeMag(LONG zoom_val, LONG h_scroll, LONG v_scroll) {
    MoveFrame::ChangeMag(zoom_val, h_scroll, v_scroll);
    for (auto& part : grp_link) part->ChangeMag(zoom_val, h_scroll, v_scroll);
    for (auto& part : ttl_link) part->ChangeMag(zoom_val, h_scroll, v_scroll);
    return 1;
}

// ---------------------------------------------------------------------------------------
// Drawing on the window, the printer and pictures

int GListFrame::ReDraw(HDC hdc, unsigned long wr_mode, int) {
    if (useabl_flag == 0) return 0;
    for (auto& part : grp_link) part->ReDraw(hdc, wr_mode, 0);
    for (auto& part : ttl_link) part->ReDraw(hdc, wr_mode, 0);
    if (wrt_flag) BorderDraw(hdc);
    return 1;
}

int GListFrame::PrintObject(HDC hdc_to_printer, int wr_mode) {
    for (auto& part : grp_link) part->PrintObject(hdc_to_printer, wr_mode);
    for (auto& part : ttl_link) part->PrintObject(hdc_to_printer, wr_mode);
    if (wrt_flag) {
        PrintBorderDraw(hdc_to_printer, GetPrntPos(hdc_to_printer),
                        Screen_ToPrinter(h_pWnd, hdc_to_printer, b_linewidth, false));
    }
    return 1;
}

int GListFrame::WriteImageToDC(HDC target_hdc, LONG zoom_val, unsigned long wr_mode) {
    for (auto& part : grp_link) part->WriteImageToDC(target_hdc, zoom_val, wr_mode);
    for (auto& part : ttl_link) part->WriteImageToDC(target_hdc, zoom_val, wr_mode);
    if (wrt_flag) {
        tagRECT rect;
        rect.left = Twip_ToPixel(twip_lfpos, h_pWnd, 100, 1);
        rect.top = Twip_ToPixel(twip_tppos, h_pWnd, 100, 2);
        rect.right = rect.left + BoxPixelWidth();
        rect.bottom = rect.top + BoxPixelHeight();
        PrintBorderDraw(target_hdc, rect, b_linewidth);
    }
    return 1;
}
