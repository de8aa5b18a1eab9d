// The one set of limits a document file is read within; the editing code keeps every
// document inside them and the writer refuses what it could not read back.
#pragma once

#include <cstdint>

// A frame's place and size on the paper, in twips. An A4 landscape sheet is 16 838 twips
// wide: a frame may stand a whole sheet off it and be two sheets wide or tall.
constexpr int32_t kMaxFrameOffsetTwips = 34000;
constexpr double kMaxFrameSizeTwips = 34000.0;

// The most points one series can have: the implicit sampler's limit.
constexpr int64_t kMaxSeriesPoints = 100000000;
// Series per document (the file counts them in 16 bits).
constexpr int64_t kMaxSeriesCount = 32767;
// A series name that reads back: shorter names are kept, longer ones become empty.
constexpr int64_t kMaxSeriesNameBytes = 254;

// The smallest document: magic, axis flags, plot area, title flag, series count and four
// empty groups. The largest: frames (generously) and every series at its limits.
constexpr uint64_t kMinDocumentBytes = 8 + 16 + 16 + 2 + 2 + 4 * 2;
constexpr uint64_t kMaxFrameRecordsBytes = uint64_t(64) << 20;
constexpr uint64_t kMaxDocumentBytes =
    kMaxFrameRecordsBytes +
    uint64_t(kMaxSeriesCount) * (4 + 4096 + 4 + 16 * uint64_t(kMaxSeriesPoints) + 24);

// A frame's position record as the reader accepts it.
inline bool Frame_WithinLimits(int32_t left, int32_t top, double width, double height) {
    return width >= 0.0 && width <= kMaxFrameSizeTwips && height >= 0.0 &&
           height <= kMaxFrameSizeTwips && left >= -kMaxFrameOffsetTwips &&
           left <= kMaxFrameOffsetTwips && top >= -kMaxFrameOffsetTwips &&
           top <= kMaxFrameOffsetTwips;
}

// The plot area's rectangle as the reader accepts it: a width and a height, on or near the
// paper.
inline bool Plot_WithinLimits(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return right > left && bottom > top && left >= -kMaxFrameOffsetTwips &&
           top >= -kMaxFrameOffsetTwips && right <= kMaxFrameOffsetTwips &&
           bottom <= kMaxFrameOffsetTwips;
}

// An axis scale (pixels per data unit) the file can hold and the reader takes: a span so
// small that length / span overflows (a subnormal range) gets the largest finite scale.
inline double Storable_Scale(double scale) {
    if (scale != scale) return 0.0;
    if (scale > 1.7976931348623157e308) return 1.7976931348623157e308;
    if (scale < -1.7976931348623157e308) return -1.7976931348623157e308;
    return scale;
}
