#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scene/mesh_group.h"

// Texture names are at most this long; longer ones make the file malformed.
constexpr size_t MaxTextureNameLength = 199;

struct MaterialNames {
    std::string base;
    std::string normal;
};

// What a .kxr file holds before any GL object exists: the material texture
// names and the groups with positions (already scaled by 0.01, z negated),
// texture coordinates as (s, t, r) and triangles (normal z negated, material
// number turned into an index). Tangents and vertex arrays are not made yet.
struct SceneData {
    std::vector<MaterialNames> materials;
    std::vector<MeshGroup> groups;
};

// Reads .kxr text: white-space separated tokens, integers as "%d" and numbers
// as "%f" would read them (the same float values as strtof, a leading '+'
// allowed, hex and exponent forms included); whatever follows the last group
// is ignored.
//
// Stricter than plain formatted reading: every token must end at white space
// or at the end of the text, so "12.5" where an integer belongs is an error
// rather than 12 followed by a stray ".5" for the next value; numbers must be
// finite 32-bit floats and integers must fit 32 bits; counts must be
// non-negative and no larger than the rest of the text can hold; every index
// must point into its group and every material number name a material record
// (or be 100, untextured); texture names are at most 199 characters and hold
// no zero byte.
//
// On failure `data` is left empty and `error` holds one line naming the file,
// the place (group, position or triangle counted from 0 like the file's
// indices, material records from 1 like its material numbers, and the line)
// and the problem, e.g.
// "Scene/a.kxr: group 2, triangle 17 (line 95): position index 90 out of range (group has 40 positions)".
bool parseKxr(std::string_view text, const char* fileName, SceneData& data, std::string& error);
