// The paper every test document stands on: A4 landscape as the program makes it, 297 x 210
// mm in twips, truncated (29 700 and 21 000 hundredths of a millimetre).
#pragma once

#include "platform/win_types.h"

constexpr LONG kPaperTwipWidth = 16837;
constexpr LONG kPaperTwipHeight = 11905;
