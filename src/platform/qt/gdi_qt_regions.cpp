// Regions (HRGN) over QRegion: making, combining, moving and asking about them.
#include <QRegion>

#include "platform/qt/qt_gdi.h"

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    HRGN rgn = new Region;
    if (right > left && bottom > top) rgn->rgn = QRegion(left, top, right - left, bottom - top);
    return rgn;
}

HRGN CreateRectRgnIndirect(const tagRECT* rect) {
    return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

namespace {
int Region_Kind(const QRegion& rgn) {
    if (rgn.isEmpty()) return NULLREGION;
    return rgn.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}
}  // namespace

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
    if (!dest || !src1) return RGN_ERROR;
    if (mode == RGN_COPY) {
        dest->rgn = src1->rgn;
        return Region_Kind(dest->rgn);
    }
    if (!src2) return RGN_ERROR;
    switch (mode) {
        case RGN_AND: dest->rgn = src1->rgn.intersected(src2->rgn); break;
        case RGN_OR: dest->rgn = src1->rgn.united(src2->rgn); break;
        case RGN_XOR: dest->rgn = src1->rgn.xored(src2->rgn); break;
        case RGN_DIFF: dest->rgn = src1->rgn.subtracted(src2->rgn); break;
        default: return RGN_ERROR;
    }
    return Region_Kind(dest->rgn);
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
    if (!rgn) return RGN_ERROR;
    rgn->rgn.translate(dx, dy);
    return Region_Kind(rgn->rgn);
}

int EqualRgn(HRGN rgn1, HRGN rgn2) { return rgn1 && rgn2 && rgn1->rgn == rgn2->rgn; }

int PtInRegion(HRGN rgn, int x, int y) { return rgn && rgn->rgn.contains(QPoint(x, y)); }

int GetRgnBox(HRGN rgn, tagRECT* rect) {
    if (!rgn || !rect) return RGN_ERROR;
    const QRect box = rgn->rgn.boundingRect();
    *rect = box.isEmpty() ? tagRECT() : Rect_Of(box);
    return Region_Kind(rgn->rgn);
}
