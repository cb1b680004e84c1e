#pragma once

#include <string>

namespace assets {

// The desktop icon, as SVG text: the demo's valley in a rounded square (sky,
// sun, hills, a tree and the lake), drawn from the same palette as its data.
std::string appIconSvg();

} // namespace assets
