// Editing the selected element of the graph: titles, axes, number frames and the series
// chosen in the legend. Frames that depend on a changed one are re-arranged.
#include <cmath>

#include "document/graph_on_win.h"
#include "platform/numeric.h"

namespace {

template <class Frame>
Frame* Selected(MoveFrame* selected) {
    return dynamic_cast<Frame*>(selected);
}

}  // namespace

// A title re-measured after a font or text change and placed again around the graph.
static void Replace_Title(GraphOnWin* graph, TitleOnWin* title, LONG escapement, LONG orient,
                          LONG h_shift, LONG v_shift, LONG gap) {
    tagRECT view = graph->PutViewRect();
    const tagRECT bound = graph->CalForTltFrame(view);
    title->ChangeFontDraw(&view, &bound, escapement, orient, h_shift, v_shift, gap);
}

int GraphOnWin::ChangeTitleFont(LONG h_shift, LONG v_shift) {
    if (GetSelObjectKind() != 1) return 0;
    TitleOnWin* title = Selected<TitleOnWin>(selectobject);
    if (title == nullptr) return 0;
    LONG escapement = 0;
    LONG orient = 0;
    if (!title->ExtShowFontDlg(&escapement, &orient)) return 0;
    const LONG gap = title->ObjectNumb() == 0 ? GraphTitleGap() : 0;
    Replace_Title(this, title, escapement, orient, h_shift, v_shift, gap);
    sinfo_flag = 1;
    return 1;
}

int GraphOnWin::ChangeTitleCont(HINSTANCE p_Inst, LONG h_shift, LONG v_shift) {
    if (GetSelObjectKind() != 1) return 0;
    TitleOnWin* title = Selected<TitleOnWin>(selectobject);
    if (title == nullptr) return 0;
    char* new_lett = nullptr;
    if (!title->ExtShowTextSetDlg(p_Inst, &new_lett) || new_lett == nullptr) return 0;
    int replaced = 0;
    if (!title->SetNewTitleCont(new_lett, &replaced)) return 0;
    const tagLOGFONTA* font = title->PutFontSet()->PutLogFont();
    const LONG gap = title->ObjectNumb() == 0 ? GraphTitleGap() : 0;
    Replace_Title(this, title, font->lfEscapement, font->lfOrientation, h_shift, v_shift, gap);
    sinfo_flag = 1;
    return 1;
}

int GraphOnWin::NewAxisValue(int index, ArrayCls<double>* XArray) const {
    if (!Exists(index) || !axis_tick[index]) return 0;
    double low = 0.0, high = 0.0, step = 0.0;
    axis_tick[index]->PutATValues(&low, &high, &step);
    if (!(step > 0.0) || !std::isfinite(low) || !std::isfinite(high)) return 0;
    // The count rounded to the nearest whole number, a half rounding up.
    const double count = std::floor((high - low) / step + 0.5);
    if (!(count >= 1.0 && count <= 10000.0)) return 0;
    CreateAxisArray(low, step, static_cast<int>(count), XArray);
    return 1;
}

int GraphOnWin::ChangeNumATick(AxisTick* tick, LONG h_shift, LONG v_shift) {
    const int axis = tick->ObjectNumber();
    ArrayCls<double> values;
    if (!NewAxisValue(axis, &values) || !axis_frame[axis]) return 0;
    tagRECT view = PutViewRect();
    double low = tick->PutMinValue();
    double high = tick->PutMaxValue();
    axis_frame[axis]->CalcDateSctrns(&view, &low, &high, 1);
    tick->ReDrawContent(view, h_shift, v_shift);
    graph_view->SetGridLine(tick);
    tagRECT tick_rect;
    CalcViewTickRect(&tick_rect, 1);
    if (!axis_frame[axis]->ChangeNumDate(values.PutArray(), values.ArrayNum(), &view, &tick_rect,
                                         h_shift, v_shift)) {
        return 0;
    }
    ChngObjPosForAFchng(axis, &view, h_shift, v_shift);
    ChngViewFrame(&view, h_shift, v_shift);
    return 1;
}

int GraphOnWin::NumbersOrOldRange(AxisTick* tick, double old_low, double old_high, double old_step,
                                  LONG h_shift, LONG v_shift) {
    if (ChangeNumATick(tick, h_shift, v_shift)) return 1;
    // The number frame refused the new values: the ticks take the old range back, so ticks
    // and labels never disagree.
    tick->SetATValues(old_low, old_high, old_step);
    tagRECT view = PutViewRect();
    const int axis = tick->ObjectNumber();
    if (axis_frame[axis]) axis_frame[axis]->CalcDateSctrns(&view, &old_low, &old_high, 1);
    tick->ReDrawContent(view, h_shift, v_shift);
    graph_view->SetGridLine(tick);
    return 0;
}

int GraphOnWin::TakeAxisRange(AxisTick* tick, double low, double high, double step, LONG h_shift,
                              LONG v_shift) {
    if (tick == nullptr || !graph_view) return 0;
    double old_low = 0.0, old_high = 0.0, old_step = 0.0;
    tick->PutATValues(&old_low, &old_high, &old_step);
    tick->SetATValues(low, high, step);
    return NumbersOrOldRange(tick, old_low, old_high, old_step, h_shift, v_shift);
}

int GraphOnWin::ChangeOutATick(AxisTick* tick, LONG h_shift, LONG v_shift) {
    const int axis = tick->ObjectNumber();
    if (!axis_frame[axis]) return 0;
    tagRECT view = PutViewRect();
    tagRECT before;
    CalcViewTickRect(&before, 1);
    if (!tick->ReDrawContent(view, h_shift, v_shift)) return 0;
    tagRECT after;
    CalcViewTickRect(&after, 1);
    tagRECT moved = axis_frame[axis]->ChangeForATick(before, after);
    axis_frame[axis]->MoveObjectWithOutMouse(&moved, h_shift, v_shift);
    ChngObjPosForAFchng(axis, &view, h_shift, v_shift);
    return 1;
}

int GraphOnWin::ChangeAxisTick(HINSTANCE p_Inst, LONG h_shift, LONG v_shift) {
    if (GetSelObjectKind() != 3) return 0;
    AxisTick* tick = Selected<AxisTick>(selectobject);
    if (tick == nullptr || !graph_view) return 0;
    double old_low = 0.0, old_high = 0.0, old_step = 0.0;
    tick->PutATValues(&old_low, &old_high, &old_step);
    const int outcome = tick->ShowSetDlg(p_Inst);
    if (outcome == 0) return -1;
    int report = 0;
    if (outcome == 1) {
        report = NumbersOrOldRange(tick, old_low, old_high, old_step, h_shift, v_shift);
    } else if (outcome == 2) {
        report = ChangeOutATick(tick, h_shift, v_shift);
    } else {
        report = tick->ReDrawContent(PutViewRect(), h_shift, v_shift);
    }
    if (report == 1) sinfo_flag = 1;
    return report;
}

int GraphOnWin::SetGridFlag() {
    if (GetSelObjectKind() != 3 || !graph_view) return 0;
    AxisTick* tick = Selected<AxisTick>(selectobject);
    if (tick == nullptr) return 0;
    int& flag = graph_view->GridFlag(tick->ObjectNumber());
    flag = flag == 1 ? 0 : 1;
    graph_view->DrawAllObject();
    return 1;
}

// A change of the selected number frame (font or number style); when the frame reports a
// change, the frames around it are re-arranged and the document is modified.
template <class Change>
int Number_Frame_Change(GraphOnWin* graph, MoveFrame* selected, LONG h_shift, LONG v_shift,
                        Change change) {
    if (graph->GetSelObjectKind() != 2) return 0;
    AxisFrame* frame = Selected<AxisFrame>(selected);
    if (frame == nullptr) return 0;
    tagRECT view = graph->PutViewRect();
    tagRECT tick_rect;
    graph->CalcViewTickRect(&tick_rect, 1);
    const int result = change(frame, &view, &tick_rect);
    if (result == 1) {
        graph->ChngObjPosForAFchng(frame->ObjectNumber(), &view, h_shift, v_shift);
        graph->SetModified(1);
    }
    return result;
}

int GraphOnWin::ChngAxFrameFont(LONG h_shift, LONG v_shift) {
    return Number_Frame_Change(
        this, selectobject, h_shift, v_shift,
        [h_shift, v_shift](AxisFrame* frame, const tagRECT* view, const tagRECT* ticks) {
            return frame->ChangeFontInfo(view, ticks, h_shift, v_shift);
        });
}

int GraphOnWin::ChngAxFrameNumStyle(LONG h_shift, LONG v_shift) {
    return Number_Frame_Change(
        this, selectobject, h_shift, v_shift,
        [h_shift, v_shift](AxisFrame* frame, const tagRECT* view, const tagRECT* ticks) {
            return frame->ChangeNumStyle(view, ticks, h_shift, v_shift, 1);
        });
}

int GraphOnWin::GlfSwitchDsp() {
    if (!glist_frame) return 0;
    if (selectobject == glist_frame.get()) {
        glist_frame->BoderFlag() = 0;
        selectobject = nullptr;
        if (h_pWnd != nullptr) h_pWnd->InvalidateRect(nullptr, true);
    }
    glist_frame->SwitchDisplay();
    return 1;
}

namespace {

// The legend line sample that is selected, -1 for none.
int Selected_Line(const GListFrame* legend) { return legend->NoFrameGList(0); }

}  // namespace

namespace {

// A dialog of the series whose legend line sample is selected, then the legend entry's
// update: 0 no legend or cancelled, -1 no line selected, else the dialog's result.
int Series_Dialog(GraphView* view, GListFrame* legend, int (GraphView::*dialog)(short),
                  int (GListFrame::*update)(int), int* modified) {
    if (legend == nullptr || view == nullptr) return 0;
    const int index = Selected_Line(legend);
    if (index < 0) return -1;
    const int result = (view->*dialog)(static_cast<short>(index));
    if (!result) return 0;
    (legend->*update)(index);
    legend->DrawAllObject();  // the sample shows the new colour or line at once
    view->DrawAllObject();
    *modified = 1;
    return result;
}

}  // namespace

int GraphOnWin::DateChangeColor() {
    return Series_Dialog(graph_view.get(), glist_frame.get(), &GraphView::ChangeColor,
                         &GListFrame::SetColorProp, &sinfo_flag);
}

int GraphOnWin::DateChangeMarkColor() {
    return Series_Dialog(graph_view.get(), glist_frame.get(), &GraphView::ChangePntColor,
                         &GListFrame::SetColorProp, &sinfo_flag);
}

int GraphOnWin::DateChangeProp() {
    return Series_Dialog(graph_view.get(), glist_frame.get(), &GraphView::ChangeLineProp,
                         &GListFrame::SetLineProp, &sinfo_flag);
}

int GraphOnWin::LineDelete(LONG h_shift, LONG v_shift) {
    if (!glist_frame || !graph_view) return 0;
    const int index = Selected_Line(glist_frame.get());
    if (index < 0) return -1;
    const int count = graph_view->PutElementNum();
    if (count == 0) return 0;
    if (count == 1) {
        DeleteAllObject();
        return 1;
    }
    if (index >= count) return -1;
    graph_view->Remove(static_cast<short>(index));
    graph_view->DrawAllObject();
    glist_frame->DeleteGList(index, h_shift, v_shift);
    sinfo_flag = 1;
    return 2;
}

int GraphOnWin::DateChangeFont(LONG h_shift, LONG v_shift) {
    if (!glist_frame) return -1;
    const int index = glist_frame->NoFrameTList(0);
    if (index < 0) return -1;
    const tagRECT before = glist_frame->GetRectOnTwip();
    if (glist_frame->ChangeGListFont(index, h_shift, v_shift)) {
        KeepLegendInPlot(before, h_shift, v_shift);
        sinfo_flag = 1;
    }
    return 0;
}

int GraphOnWin::DateChangeCont(HINSTANCE p_Inst, LONG h_shift, LONG v_shift) {
    if (!glist_frame) return -1;
    const int index = glist_frame->NoFrameTList(0);
    if (index < 0) return -1;
    const tagRECT before = glist_frame->GetRectOnTwip();
    if (glist_frame->ChangeGListCont(index, p_Inst, h_shift, v_shift)) {
        KeepLegendInPlot(before, h_shift, v_shift);
        sinfo_flag = 1;
    }
    return 0;
}
