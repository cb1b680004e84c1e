#include "image_compare.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int windowRadius = 5;  // 11 taps

std::array<double, 2 * windowRadius + 1> gaussianWeights()
{
    std::array<double, 2 * windowRadius + 1> weights{};
    double sum = 0;
    for (int i = -windowRadius; i <= windowRadius; ++i)
        sum += weights[static_cast<size_t>(i + windowRadius)] = std::exp(-(i * i) / (2 * 1.5 * 1.5));
    for (double& w : weights)
        w /= sum;
    return weights;
}

// The plane blurred by the window, kept only where the whole window fits
// (valid region: (width - 10) x (height - 10)).
std::vector<double> windowMeans(const std::vector<double>& plane, int width, int height)
{
    static const auto weights = gaussianWeights();
    const int outWidth = width - 2 * windowRadius, outHeight = height - 2 * windowRadius;
    std::vector<double> rows(static_cast<size_t>(outWidth) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < outWidth; ++x) {
            double sum = 0;
            for (int k = 0; k <= 2 * windowRadius; ++k)
                sum += weights[static_cast<size_t>(k)] * plane[static_cast<size_t>(y) * width + x + k];
            rows[static_cast<size_t>(y) * outWidth + x] = sum;
        }
    std::vector<double> out(static_cast<size_t>(outWidth) * static_cast<size_t>(outHeight));
    for (int y = 0; y < outHeight; ++y)
        for (int x = 0; x < outWidth; ++x) {
            double sum = 0;
            for (int k = 0; k <= 2 * windowRadius; ++k)
                sum += weights[static_cast<size_t>(k)] * rows[static_cast<size_t>(y + k) * outWidth + x];
            out[static_cast<size_t>(y) * outWidth + x] = sum;
        }
    return out;
}

double colourDistance(const unsigned char* a, const unsigned char* b)
{
    double sum = 0;
    for (int c = 0; c < 3; ++c) {
        const double d = (a[c] - b[c]) / 255.0;
        sum += d * d;
    }
    return std::sqrt(sum / 3.0);
}

// The structural similarity (Wang, Bovik, Sheikh and Simoncelli, 2004) of
// every 11x11 Gaussian window (sigma 1.5) of one colour channel, where the
// window fits: (width - 10) x (height - 10), row by row; the usual constants
// for 8-bit values. 1 for the same picture.
std::vector<double> similarityMap(const RgbImage& a, const RgbImage& b, int channel)
{
    const int width = a.width, height = a.height;
    if (width <= 2 * windowRadius || height <= 2 * windowRadius)
        return {a.pixels == b.pixels ? 1.0 : 0.0};
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    std::vector<double> x(count), y(count), xx(count), yy(count), xy(count);
    for (size_t i = 0; i < count; ++i) {
        x[i] = a.pixels[i * 3 + static_cast<size_t>(channel)];
        y[i] = b.pixels[i * 3 + static_cast<size_t>(channel)];
        xx[i] = x[i] * x[i];
        yy[i] = y[i] * y[i];
        xy[i] = x[i] * y[i];
    }
    const auto mx = windowMeans(x, width, height), my = windowMeans(y, width, height);
    const auto mxx = windowMeans(xx, width, height), myy = windowMeans(yy, width, height);
    const auto mxy = windowMeans(xy, width, height);
    constexpr double c1 = (0.01 * 255) * (0.01 * 255), c2 = (0.03 * 255) * (0.03 * 255);
    std::vector<double> map(mx.size());
    for (size_t i = 0; i < mx.size(); ++i) {
        const double varX = mxx[i] - mx[i] * mx[i], varY = myy[i] - my[i] * my[i];
        const double covariance = mxy[i] - mx[i] * my[i];
        map[i] = (2 * mx[i] * my[i] + c1) * (2 * covariance + c2)
            / ((mx[i] * mx[i] + my[i] * my[i] + c1) * (varX + varY + c2));
    }
    return map;
}

// The mean of each square of `size` values (overlapping by half) of a plane
// of width x height, the lowest (or highest) of them; the whole plane's when
// it is smaller than one square.
double worstRegionMean(const std::vector<double>& plane, int width, int height, int size, bool lowest)
{
    const int sizeX = std::min(size, width), sizeY = std::min(size, height);
    const int step = std::max(1, size / 2);
    double worst = lowest ? 1e300 : -1e300;
    for (int top = 0; top + sizeY <= height; top += step)
        for (int left = 0; left + sizeX <= width; left += step) {
            double sum = 0;
            for (int y = top; y < top + sizeY; ++y)
                for (int x = left; x < left + sizeX; ++x)
                    sum += plane[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
            const double mean = sum / (static_cast<double>(sizeX) * sizeY);
            worst = lowest ? std::min(worst, mean) : std::max(worst, mean);
        }
    return worst;
}

} // namespace

FrameDifference compareFrames(const RgbImage& reference, const RgbImage& result, const FrameTolerance& tolerance)
{
    FrameDifference difference;
    const size_t count = static_cast<size_t>(reference.width) * static_cast<size_t>(reference.height);
    std::vector<double> changed(count);
    double changedCount = 0;
    for (size_t i = 0; i < count; ++i)
        changedCount += changed[i]
            = colourDistance(&reference.pixels[i * 3], &result.pixels[i * 3]) > tolerance.changedDistance;
    difference.changedFraction = count ? changedCount / static_cast<double>(count) : 0;
    difference.regionChangedFraction
        = count ? worstRegionMean(changed, reference.width, reference.height, tolerance.regionSize, false) : 0;
    const bool windowsFit = reference.width > 2 * windowRadius && reference.height > 2 * windowRadius;
    const int mapWidth = windowsFit ? reference.width - 2 * windowRadius : 1;
    const int mapHeight = windowsFit ? reference.height - 2 * windowRadius : 1;
    for (int channel = 0; channel < 3; ++channel) {
        const std::vector<double> map = similarityMap(reference, result, channel);
        double sum = 0;
        for (double v : map)
            sum += v;
        difference.similarity = std::min(difference.similarity, sum / static_cast<double>(map.size()));
        difference.regionSimilarity = std::min(
            difference.regionSimilarity, worstRegionMean(map, mapWidth, mapHeight, tolerance.regionSize, true));
    }
    return difference;
}

bool withinTolerance(const FrameDifference& difference, const FrameTolerance& tolerance)
{
    return difference.regionChangedFraction <= tolerance.maximumRegionChanged
        && difference.regionSimilarity >= tolerance.minimumRegionSimilarity;
}

RgbImage differencePicture(const RgbImage& reference, const RgbImage& result, double changedDistance)
{
    RgbImage picture{reference.width, reference.height, std::vector<unsigned char>(reference.pixels.size())};
    for (size_t i = 0; i + 2 < picture.pixels.size(); i += 3) {
        const bool changed = colourDistance(&reference.pixels[i], &result.pixels[i]) > changedDistance;
        for (size_t c = 0; c < 3; ++c) {
            const int d = std::abs(reference.pixels[i + c] - result.pixels[i + c]);
            picture.pixels[i + c] = static_cast<unsigned char>(std::min(255, 4 * d));
        }
        if (changed) {
            picture.pixels[i] = 255;
            picture.pixels[i + 1] = 0;
            picture.pixels[i + 2] = 255;
        }
    }
    return picture;
}
