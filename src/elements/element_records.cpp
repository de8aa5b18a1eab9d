// The records the plot elements write into the document file and the CSV table of the
// series; the document file's layout is fixed to the byte.
#include <cstring>
#include <string>

#include "elements/graph_line.h"
#include "elements/title_on_win.h"
#include "platform/cp932.h"

namespace {}  // namespace

int TitleOnWin::SaveContent(DocWriter* h_File, unsigned long* rcd_byte) const {
    std::string cp932;
    if (title_cont && !Stored_Text(h_File, title_cont.get(), &cp932)) return 0;
    h_File->Put32(static_cast<int32_t>(cp932.size()));
    h_File->PutBytes(cp932.data(), cp932.size());
    *rcd_byte = 4 + static_cast<unsigned long>(cp932.size());
    return 1;
}

int TitleOnWin::ReadContent(DocReader* h_File, unsigned long* rcd_byte) {
    int32_t length = 0;
    if (!h_File->Get32(&length) || !h_File->CountFits(length, 1)) return 0;
    std::string cp932(static_cast<size_t>(length), '\0');
    if (!h_File->GetBytes(cp932.data(), cp932.size())) return 0;
    *rcd_byte = 4 + static_cast<unsigned long>(length);
    if (length == 0) {
        title_cont.reset();
        return 1;
    }
    std::string utf8;
    if (cp932.find('\0') != std::string::npos || !Text_OfStored(h_File, cp932, &utf8)) {
        h_File->Fail();
        return 0;
    }
    CoreTitleContSet(utf8.c_str());
    return 1;
}

int TitleOnWin::SaveFromFile(DocWriter* h_File, unsigned long* rcd_byte) const {
    unsigned long part = 0;
    SavePosInfo(h_File, &part);
    unsigned long text = 0;
    if (!SaveContent(h_File, &text)) return 0;
    if (!Put_LogFont(h_File, font_info.PutLogFont())) return 0;
    h_File->PutU32(font_info.PutColorInfo());
    h_File->PutU32(color_info.PutRGBdata());
    h_File->PutU32(color_info.PutRGBPntdata());
    *rcd_byte = part + text + 60 + 12;
    return 1;
}

int TitleOnWin::ReadFromFile(DocReader* h_File, unsigned long* rcd_byte, LONG h_shift,
                             LONG v_shift) {
    unsigned long part = 0;
    unsigned long text = 0;
    if (!ReadPosInfo(h_File, &part, h_shift, v_shift) || !ReadContent(h_File, &text)) return 0;
    tagLOGFONTA font = *font_info.PutLogFont();
    uint32_t font_color = 0, line_color = 0, paint_color = 0;
    if (!Get_LogFont(h_File, &font) || !h_File->GetU32(&font_color) ||
        !h_File->GetU32(&line_color) || !h_File->GetU32(&paint_color)) {
        return 0;
    }
    font_info.SetLogFont(&font);
    font_info.SetFontColor(font_color);
    color_info.SetRGBdata(line_color);
    color_info.SetRGBPntdata(paint_color);
    FitBitmap();
    if (title_cont) {
        ForceDraw();
    } else {
        display_flag = 0;
    }
    *rcd_byte = part + text + 60 + 12;
    return 1;
}

int GraphLine::PrintDateToFile(DocWriter* h_File) {
    const char* name = date_on_graph.PutTheName();
    std::string cp932 = "0";
    if (name != nullptr && name[0] != '\0' && !Stored_Text(h_File, name, &cp932)) return 0;
    h_File->Put32(static_cast<int32_t>(cp932.size()));
    h_File->PutBytes(cp932.data(), cp932.size());
    const int count = date_on_graph.ArrayNum();
    h_File->Put32(count);
    // x and y of each point in turn, as the points lie in memory.
    static_assert(sizeof(PointDbl) == 2 * sizeof(double), "a point is its two values");
    if (count > 0) {
        h_File->PutDoubles(date_on_graph.Points(), 2 * static_cast<size_t>(count));
    }
    h_File->Put32(line_prop.PutMarker());
    h_File->PutU32(color_set.PutRGBdata());
    h_File->Put32(static_cast<int32_t>(line_prop.PutLineStyle()));
    h_File->Put32(line_prop.PutLineSize());
    h_File->PutU32(color_set.PutRGBPntdata());
    h_File->Put32(line_prop.PutRadius());
    return 1;
}

int GrpLnLink::PrintGData(DocWriter* h_File, short num_element, GraphLine** target_obj) const {
    h_File->Put16(num_element);
    for (short i = 0; i < num_element; ++i) {
        if (!target_obj[i]->PrintDateToFile(h_File)) return 0;
    }
    return 1;
}

int GrpLnLink::PrintDateDivide(DocWriter* h_File) const {
    // Groups by axis pair: (bottom, left), (bottom, right), (top, left), (top, right).
    std::vector<GraphLine*> groups[4];
    for (const auto& line : lines) {
        const bool bottom = line->HoriAxis() == 1;
        const bool left = line->VerAxis() == 0;
        groups[bottom ? (left ? 0 : 1) : (left ? 2 : 3)].push_back(line.get());
    }
    h_File->Put16(PutElementNum());
    for (auto& group : groups) {
        if (!PrintGData(h_File, static_cast<short>(group.size()), group.data())) return 0;
    }
    return 1;
}

int GrpLnLink::PrnGraphTableData(std::ostream& output) const {
    int rows = 0;
    for (const auto& line : lines) {
        // Names in CP932 as every text file of the program; one CP932 cannot hold stays
        // in the program's own UTF-8 rather than be lost.
        const char* name = line->PutDateTitle();
        std::string text = name != nullptr && name[0] != '\0' ? name : "0";
        std::string cp932;
        if (Utf8_ToCp932(text, &cp932)) text = cp932;
        output << text << ","
               << " "
               << ",";
        if (line->PutPointArray()->ArrayNum() > rows) rows = line->PutPointArray()->ArrayNum();
    }
    output << "\r\n";
    for (int r = 0; r < rows; ++r) {
        for (const auto& line : lines) {
            const PointArray* points = line->PutPointArray();
            if (points->ArrayNum() > r) {
                output << points->Points()[r].x << "," << points->Points()[r].y << ",";
            } else {
                output << " "
                       << ","
                       << " "
                       << ",";
            }
        }
        output << "\r\n";
    }
    return 1;
}
