#pragma once
// Column widths shared out by weight (1 narrow, 2 medium, 3 wide).

#include <vector>

namespace pel {

// Screens this wide or narrower let columns fit their content instead.
constexpr int kNarrowScreenWidth = 1152;

inline bool screenIsNarrow(int screenWidth)
{
    return screenWidth <= kNarrowScreenWidth;
}

// Widths for the visible columns' weights: unit = whole part of
// (gridWidth - 30) / sum of weights, each width = weight * unit. An empty
// result when the weights sum to 0.
std::vector<int> weightedWidths(const std::vector<int>& weights, int gridWidth);

} // namespace pel
