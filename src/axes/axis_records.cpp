// The records the axis frames write into the document file (layout fixed to the byte).
#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "axes/axis_frame.h"
#include "axes/axis_tick.h"
#include "platform/cp932.h"

namespace {

void Put_TickProp(DocWriter* file, const TickProp& prop) {
    file->Put16(prop.line_width);
    file->Put16(prop.line_lngh);
    file->Put16(prop.line_drct);
    file->PutZeros(2);  // padding
    file->Put32(prop.line_visible);
}

bool Get_TickProp(DocReader* file, TickProp* prop) {
    return file->Get16(&prop->line_width) && file->Get16(&prop->line_lngh) &&
           file->Get16(&prop->line_drct) && file->Skip(2) && file->Get32(&prop->line_visible);
}

}  // namespace

int AxisTick::SaveFromFile(DocWriter* h_File, unsigned long* rcd_byte) const {
    unsigned long part = 0;
    SavePosInfo(h_File, &part);
    h_File->Put16(static_cast<int16_t>(show_flag));
    h_File->Put16(static_cast<int16_t>(wrt_flag));
    h_File->Put32(obj_number);
    Put_TickProp(h_File, main_tick);
    Put_TickProp(h_File, sub_tick);
    h_File->PutDouble(min_value);
    h_File->PutDouble(max_value);
    h_File->PutDouble(div_value);
    h_File->Put32(tickdsp_style);
    h_File->Put32(autoax_flag);
    h_File->PutU32(color_info.PutRGBdata());
    h_File->PutU32(color_info.PutRGBPntdata());
    h_File->Put32(inpart_lng);
    *rcd_byte = 104;
    return 1;
}

int AxisTick::ReadFromFile(DocReader* h_File, unsigned long* rcd_byte, LONG h_shift, LONG v_shift) {
    unsigned long part = 0;
    if (!ReadPosInfo(h_File, &part, h_shift, v_shift)) return 0;
    int16_t shown = 0, selected = 0;
    int32_t number = 0, style = 0, automatic = 0, inpart = 0;
    TickProp main_prop, sub_prop;
    double low = 0.0, high = 0.0, step = 0.0;
    uint32_t line_color = 0, paint_color = 0;
    if (!h_File->Get16(&shown) || !h_File->Get16(&selected) || !h_File->Get32(&number) ||
        !Get_TickProp(h_File, &main_prop) || !Get_TickProp(h_File, &sub_prop) ||
        !h_File->GetDouble(&low) || !h_File->GetDouble(&high) || !h_File->GetDouble(&step) ||
        !h_File->Get32(&style) || !h_File->Get32(&automatic) || !h_File->GetU32(&line_color) ||
        !h_File->GetU32(&paint_color) || !h_File->Get32(&inpart)) {
        return 0;
    }
    if (number != obj_number || inpart < 0 || inpart > 10000) {
        h_File->Fail();
        return 0;
    }
    // Nothing is selected after opening: the selection flag of the file is not taken.
    (void)selected;
    show_flag = shown;
    main_tick = main_prop;
    sub_tick = sub_prop;
    min_value = low;
    max_value = high;
    div_value = step;
    tickdsp_style = style;
    autoax_flag = automatic;
    color_info.SetRGBdata(line_color);
    color_info.SetRGBPntdata(paint_color);
    inpart_lng = inpart;
    Rebuild();
    *rcd_byte = 104;
    return 1;
}

int AxisFrame::SaveFromFile(DocWriter* h_File, unsigned long* rcd_byte) const {
    unsigned long part = 0;
    SavePosInfo(h_File, &part);
    h_File->Put32(show_flag);
    h_File->Put16(static_cast<int16_t>(wrt_flag));
    h_File->Put16(static_cast<int16_t>(direction_info));
    h_File->Put32(obj_number);
    h_File->Put32(tickdsp_style);
    h_File->Put16(style_num);
    h_File->Put16(num_dspdgt);
    h_File->Put16(num_dspobj);
    for (int i = 0; i < num_dspobj; ++i) {
        const NumStrObj& label = p_num_obj[i];
        h_File->PutDouble(label.PutDblNum());
        std::string cp932;
        if (!Utf8_ToCp932(label.PutString(), &cp932) || cp932.size() > 255) return 0;
        h_File->PutBytes(cp932.data(), cp932.size());
        h_File->PutZeros(256 - cp932.size());
        h_File->Put32(label.PutPosVirWin().x);
        h_File->Put32(label.PutPosVirWin().y);
    }
    h_File->Put32(string_width);
    h_File->Put32(string_height);
    h_File->Put32(numobj_start.x);
    h_File->Put32(numobj_start.y);
    const CHOOSESTYLE style = axnum_styl.PutChooseStyl();
    h_File->Put16(style.style_number);
    h_File->Put16(style.digit_number);
    if (!Put_LogFont(h_File, font_info.PutLogFont())) return 0;
    h_File->PutU32(font_info.PutColorInfo());
    h_File->PutU32(color_info.PutRGBdata());
    h_File->PutU32(color_info.PutRGBPntdata());
    h_File->PutDouble(date_sctrns);
    *rcd_byte = 150 + 272 * static_cast<unsigned long>(num_dspobj);
    return 1;
}

int AxisFrame::ReadFromFile(DocReader* h_File, unsigned long* rcd_byte, LONG h_shift,
                            LONG v_shift) {
    unsigned long part = 0;
    if (!ReadPosInfo(h_File, &part, h_shift, v_shift)) return 0;
    int32_t shown = 0, number = 0, tick_style = 0;
    int16_t selected = 0, direction = 0, style = 0, digits = 0, count = 0;
    if (!h_File->Get32(&shown) || !h_File->Get16(&selected) || !h_File->Get16(&direction) ||
        !h_File->Get32(&number) || !h_File->Get32(&tick_style) || !h_File->Get16(&style) ||
        !h_File->Get16(&digits) || !h_File->Get16(&count)) {
        return 0;
    }
    // An axis needs two labels at least: its scale divides by their span.
    if (number != obj_number || count < 2 || !h_File->CountFits(count, 272)) {
        h_File->Fail();
        return 0;
    }
    auto labels = std::make_unique<NumStrObj[]>(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        double value = 0.0;
        char text[256];
        int32_t x = 0, y = 0;
        if (!h_File->GetDouble(&value) || !h_File->GetBytes(text, sizeof text) ||
            !h_File->Get32(&x) || !h_File->Get32(&y)) {
            return 0;
        }
        const void* end = std::memchr(text, '\0', sizeof text);
        std::string utf8;
        if (end == nullptr ||
            !Cp932_ToUtf8(std::string(text, static_cast<const char*>(end) - text), &utf8)) {
            h_File->Fail();
            return 0;
        }
        labels[i].SetDblNum(value);
        labels[i].SetString(utf8.c_str());
        tagPOINT at;
        at.x = x;
        at.y = y;
        labels[i].SetPosVirWin(at);
    }
    int32_t width = 0, height = 0, start_x = 0, start_y = 0;
    int16_t chosen_style = 0, chosen_digits = 0;
    uint32_t font_color = 0, line_color = 0, paint_color = 0;
    double factor = 0.0;
    tagLOGFONTA font = *font_info.PutLogFont();
    if (!h_File->Get32(&width) || !h_File->Get32(&height) || !h_File->Get32(&start_x) ||
        !h_File->Get32(&start_y) || !h_File->Get16(&chosen_style) ||
        !h_File->Get16(&chosen_digits) || !Get_LogFont(h_File, &font) ||
        !h_File->GetU32(&font_color) || !h_File->GetU32(&line_color) ||
        !h_File->GetU32(&paint_color) || !h_File->GetDouble(&factor)) {
        return 0;
    }
    if (!std::isfinite(factor)) {
        h_File->Fail();
        return 0;
    }
    show_flag = shown;
    (void)selected;  // nothing is selected after opening
    direction_info = direction;
    tickdsp_style = tick_style;
    style_num = style;
    num_dspdgt = digits;
    num_dspobj = count;
    p_num_obj = std::move(labels);
    string_width = width;
    string_height = height;
    numobj_start.x = start_x;
    numobj_start.y = start_y;
    axnum_styl.SetChooseStyl(chosen_style, chosen_digits);
    font_info.SetLogFont(&font);
    font_info.SetFontColor(font_color);
    color_info.SetRGBdata(line_color);
    color_info.SetRGBPntdata(paint_color);
    date_sctrns = factor;
    FitBitmap(true);
    SetUsbFlag(1);
    DrawNewObject();
    *rcd_byte = 150 + 272 * static_cast<unsigned long>(count);
    return 1;
}
