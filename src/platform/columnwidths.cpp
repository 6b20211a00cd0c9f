#include "columnwidths.h"

#include <numeric>

namespace pel {

std::vector<int> weightedWidths(const std::vector<int>& weights, int gridWidth)
{
    const int sum = std::accumulate(weights.begin(), weights.end(), 0);
    if (sum <= 0)
        return {};
    const int unit = gridWidth > 30 ? (gridWidth - 30) / sum : 0;
    std::vector<int> out;
    out.reserve(weights.size());
    for (int w : weights)
        out.push_back(w * unit);
    return out;
}

} // namespace pel
