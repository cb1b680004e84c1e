#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

// A picture as the texture makers hand it to OpenGL: rows bottom first, so
// row y holds texture coordinate t = (y + 0.5) / height.
namespace assets {

struct Color {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};

inline Color operator+(Color a, Color b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Color operator*(Color a, float s) { return {a.r * s, a.g * s, a.b * s}; }
inline Color operator*(Color a, Color b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
inline Color mixColor(Color a, Color b, float t) { return a + (b + a * -1.0f) * t; }

inline uint8_t toByte(float v)
{
    const float scaled = std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f;
    return static_cast<uint8_t>(scaled);
}

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // width * height * 3, red, green, blue

    RgbImage() = default;
    RgbImage(int w, int h) : width(w), height(h), rgb(static_cast<size_t>(w) * static_cast<size_t>(h) * 3u, 0) {}

    uint8_t* at(int x, int y) { return &rgb[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3u]; }
    const uint8_t* at(int x, int y) const
    {
        return &rgb[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3u];
    }

    void set(int x, int y, Color c)
    {
        uint8_t* p = at(x, y);
        p[0] = toByte(c.r);
        p[1] = toByte(c.g);
        p[2] = toByte(c.b);
    }
};

// A float field of the same layout, for height maps and coverage masks.
struct FloatImage {
    int width = 0;
    int height = 0;
    std::vector<float> values;

    FloatImage() = default;
    FloatImage(int w, int h, float fill = 0.0f)
        : width(w), height(h), values(static_cast<size_t>(w) * static_cast<size_t>(h), fill)
    {
    }

    float& at(int x, int y) { return values[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
    float at(int x, int y) const
    {
        return values[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }

    // Reads with wrap-around, for tileable pictures.
    float wrapped(int x, int y) const
    {
        const int wx = ((x % width) + width) % width;
        const int wy = ((y % height) + height) % height;
        return at(wx, wy);
    }
};

} // namespace assets
