#pragma once

#include <optional>
#include <string>
#include <vector>

#include "camera/vec3.h"

// The ground of a scene file as the demo reads it, for asking how high it
// lies under a point: every triangle of every group (terrain, trunks,
// boulders), in world units.
class GroundProbe {
public:
    // Reads the scene through the demo's own reader; false with the reason.
    bool load(const char* sceneFile, std::string& error);

    // The highest surface a ray cast straight down from far above (x, z)
    // meets; none beyond the scene's edge.
    std::optional<float> heightAt(float x, float z) const;

    struct Triangle {
        Vec3 a, b, c;
    };
    std::vector<Triangle> triangles;
};
