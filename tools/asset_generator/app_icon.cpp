#include "app_icon.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace assets {

namespace {

// One hill's outline as a path over the 64-unit square: a sine swell whose
// crest stands at `crest` with the given height, closed along the bottom.
std::string hillPath(double base, double height, double crest, double width)
{
    std::string path = "M0 64";
    char point[32];
    for (int x = 0; x <= 64; x += 4) {
        const double t = std::clamp((x - crest) / width, -1.0, 1.0);
        const double y = base - height * 0.5 * (1.0 + std::cos(t * 3.14159265));
        std::snprintf(point, sizeof point, " L%d %.1f", x, y);
        path += point;
    }
    return path + " L64 64 Z";
}

} // namespace

std::string appIconSvg()
{
    return std::string(
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" viewBox=\"0 0 64 64\">\n"
               "<defs><linearGradient id=\"sky\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">"
               "<stop offset=\"0\" stop-color=\"#4f86c6\"/><stop offset=\"1\" stop-color=\"#cfe3f2\"/>"
               "</linearGradient>\n<clipPath id=\"tile\"><rect width=\"64\" height=\"64\" rx=\"10\"/></clipPath></defs>\n"
               "<g clip-path=\"url(#tile)\">\n"
               "<rect width=\"64\" height=\"64\" fill=\"url(#sky)\"/>\n"
               "<circle cx=\"47\" cy=\"15\" r=\"7\" fill=\"#fff3c4\"/>\n"
               "<path d=\"")
        + hillPath(40, 18, 16, 30) + "\" fill=\"#5d7f3a\"/>\n<path d=\"" + hillPath(50, 12, 50, 26)
        + "\" fill=\"#3f6b2c\"/>\n"
          "<path d=\"M16 30 L23 46 L9 46 Z\" fill=\"#24491f\"/><rect x=\"15\" y=\"46\" width=\"2\" height=\"5\" fill=\"#5a3d22\"/>\n"
          "<ellipse cx=\"36\" cy=\"56\" rx=\"20\" ry=\"5\" fill=\"#2f6f8f\"/>\n"
          "<ellipse cx=\"33\" cy=\"55\" rx=\"9\" ry=\"1.2\" fill=\"#9cc9dc\"/>\n"
          "</g>\n</svg>\n";
}

} // namespace assets
