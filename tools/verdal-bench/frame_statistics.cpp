#include "frame_statistics.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {
// Nearest-rank percentile of sorted values.
double percentile(const std::vector<double>& sorted, double fraction)
{
    const size_t rank = static_cast<size_t>(std::ceil(fraction * static_cast<double>(sorted.size())));
    return sorted[std::clamp<size_t>(rank, 1, sorted.size()) - 1];
}
} // namespace

FrameStatistics summarizeFrameTimes(std::vector<double> times)
{
    FrameStatistics stats;
    if (times.empty())
        return stats;
    std::sort(times.begin(), times.end());
    const double total = std::accumulate(times.begin(), times.end(), 0.0);
    stats.averageFps = total > 0 ? 1000.0 * static_cast<double>(times.size()) / total : 0;
    stats.p50 = percentile(times, 0.50);
    stats.p95 = percentile(times, 0.95);
    stats.p99 = percentile(times, 0.99);
    const size_t slowCount = std::max<size_t>(1, times.size() / 100);
    const double slowTotal = std::accumulate(times.end() - static_cast<long>(slowCount), times.end(), 0.0);
    stats.onePercentLowFps = slowTotal > 0 ? 1000.0 * static_cast<double>(slowCount) / slowTotal : 0;
    return stats;
}
