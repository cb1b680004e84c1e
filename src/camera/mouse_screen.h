#pragma once

#include <cstdint>

// The free-fly camera's own copy of the display resolution; it centres the
// mouse on it. Written together with the render resolution at start.
extern int32_t mouseScreenWidth;
extern int32_t mouseScreenHeight;
