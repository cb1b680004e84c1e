#pragma once

#include <cstdint>

#include "rgb_image.h"
#include "vector_math.h"

// The two six-face sky sets. Every face is painted by evaluating one sky
// function on the directions its texels stand for, so faces meet without seams.
//
// Orientation: Front, Right, Back, Left and Top are laid out as the sky box
// draws them (Front on z = +1, Right on x = +1, t running up on the side
// faces, Top seen from below with t running towards -z). Bottom is laid out
// for the cube map, where it is the +Y face: together with Top on -Y and the
// side faces the cube map then holds the sky mirrored in the horizon, so a
// cube lookup with (x, -y, z) returns the sky in direction (x, y, z).
namespace assets {

enum class SkyFace { Front, Right, Back, Left, Top, Bottom };
enum class SkyMood { ClearDay, WarmClouds };

constexpr SkyFace kSkyFaces[6] = {SkyFace::Front, SkyFace::Right, SkyFace::Back,
                                  SkyFace::Left,  SkyFace::Top,   SkyFace::Bottom};

const char* skyFaceName(SkyFace face);  // "Front", "Right", ...

// The point of the box [-1, 1]^3 that a face shows at a = 2s - 1, b = 2t - 1,
// where (s, t) are its picture coordinates and t = 0 is the bottom row.
Vec3 skyFacePoint(SkyFace face, float a, float b);

// The sky seen in a world direction (unit length), for one mood.
Color skyColor(uint64_t seed, SkyMood mood, Vec3 direction);

// One face, `size` texels square; the outermost texels lie exactly on the
// face's edges, so neighbouring faces share their border texels.
RgbImage makeSkyFace(uint64_t seed, SkyMood mood, SkyFace face, int size);

} // namespace assets
