#pragma once
// The text progress bar drawn in the total-occurrences label while a file is read:
// "[---->     ]" with a fixed number of cells.

#include "text/UString.h"

#include <cstdint>

namespace qd {

inline constexpr int kProgressBarWidth = 37;

// The cell reached after done of total: width x done / total, rounded to the nearest whole
// number with halves going to the even neighbour. 0 when total is not positive.
int ProgressBarPosition(int width, int64_t done, int64_t total);

// The caption for position p of a bar of width cells: "[>" + width spaces + "]" at 0;
// "[" + (p - 1) dashes + ">" + (width - p) spaces + "]" up to width; past the end the
// spaces are left out.
ustring ProgressBarCaption(int p, int width);

} // namespace qd
