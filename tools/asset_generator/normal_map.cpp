#include "normal_map.h"

#include <algorithm>
#include <cmath>

namespace assets {

RgbImage normalMapFromHeight(const FloatImage& height, float strength, bool tileable)
{
    RgbImage out(height.width, height.height);
    auto sample = [&](int x, int y) {
        if (tileable) {
            return height.wrapped(x, y);
        }
        return height.at(std::clamp(x, 0, height.width - 1), std::clamp(y, 0, height.height - 1));
    };
    for (int y = 0; y < height.height; ++y) {
        for (int x = 0; x < height.width; ++x) {
            const float dx = (sample(x + 1, y) - sample(x - 1, y)) * 0.5f * strength;
            const float dy = (sample(x, y + 1) - sample(x, y - 1)) * 0.5f * strength;
            const float inv = 1.0f / std::sqrt(dx * dx + dy * dy + 1.0f);
            out.set(x, y, Color{-dx * inv * 0.5f + 0.5f, -dy * inv * 0.5f + 0.5f, inv * 0.5f + 0.5f});
        }
    }
    return out;
}

RgbImage flatNormalMap(int width, int height)
{
    return normalMapFromHeight(FloatImage(width, height), 0.0f, true);
}

} // namespace assets
