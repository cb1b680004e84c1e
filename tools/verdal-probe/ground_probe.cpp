#include "ground_probe.h"

#include <cmath>

#include "scene/kxr_parser.h"
#include "scene/scene_file_text.h"

bool GroundProbe::load(const char* sceneFile, std::string& error)
{
    std::string text;
    if (readSceneFileText(sceneFile, text) != SceneFileRead::Ok) {
        error = std::string("cannot read ") + sceneFile;
        return false;
    }
    SceneData scene;
    if (!parseKxr(text, sceneFile, scene, error))
        return false;
    triangles.clear();
    for (const MeshGroup& group : scene.groups)
        for (const MeshTriangle& t : group.triangles)
            triangles.push_back({group.positions[t.positionIndices.a], group.positions[t.positionIndices.b],
                                 group.positions[t.positionIndices.c]});
    return true;
}

std::optional<float> GroundProbe::heightAt(float x, float z) const
{
    std::optional<float> highest;
    for (const Triangle& t : triangles) {
        // Barycentric weights of (x, z) in the triangle seen from above.
        const double e1x = t.b.x - t.a.x, e1z = t.b.z - t.a.z;
        const double e2x = t.c.x - t.a.x, e2z = t.c.z - t.a.z;
        const double area = e1x * e2z - e1z * e2x;
        if (std::fabs(area) < 1e-12)
            continue;  // seen edge-on from above: a wall the ray slides past
        const double px = x - t.a.x, pz = z - t.a.z;
        const double u = (px * e2z - pz * e2x) / area;
        const double v = (e1x * pz - e1z * px) / area;
        // A point on a shared edge belongs to both triangles: no gap between them.
        constexpr double onEdge = -1e-9;
        if (u < onEdge || v < onEdge || u + v > 1.0 - onEdge)
            continue;
        const float y = static_cast<float>(t.a.y + u * (t.b.y - t.a.y) + v * (t.c.y - t.a.y));
        if (!highest || y > *highest)
            highest = y;
    }
    return highest;
}
