#include "camera_tours.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace assets {
namespace {

constexpr float kPi = 3.14159265f;

// A control point of a tour: where the eye passes (x, z), how high above the
// ground or water it flies there, and where it looks.
struct ControlPoint {
    float x;
    float z;
    float clearance;
    Vec3 target;
};

// Closed Catmull-Rom spline through the points; u in [0, count).
template <typename T, typename Get>
T catmullRom(const std::vector<ControlPoint>& points, float u, Get get)
{
    const int n = static_cast<int>(points.size());
    const int i1 = static_cast<int>(std::floor(u)) % n;
    const int i0 = (i1 + n - 1) % n;
    const int i2 = (i1 + 1) % n;
    const int i3 = (i1 + 2) % n;
    const float t = u - std::floor(u);
    const float t2 = t * t;
    const float t3 = t2 * t;
    const T p0 = get(points[static_cast<size_t>(i0)]);
    const T p1 = get(points[static_cast<size_t>(i1)]);
    const T p2 = get(points[static_cast<size_t>(i2)]);
    const T p3 = get(points[static_cast<size_t>(i3)]);
    return (p1 * 2.0f + (p2 - p0) * t + (p0 * 2.0f - p1 * 5.0f + p2 * 4.0f - p3) * t2 + (p1 * 3.0f - p0 - p2 * 3.0f + p3) * t3) *
           0.5f;
}

float groundOrWater(const TerrainField& terrain, float x, float z) { return std::max(terrain.height(x, z), 0.0f); }

// Waypoints spaced evenly along the spline (playback gives every segment the
// same time, so even spacing means even speed); the first is control point 0.
CameraTour resample(const std::vector<ControlPoint>& points, int waypointCount, const TerrainField& terrain)
{
    const int n = static_cast<int>(points.size());
    constexpr int steps = 128;
    std::vector<float> us;
    std::vector<float> arc;
    float total = 0.0f;
    Vec3 previous{};
    auto eyeXZ = [&](float u) {
        return catmullRom<Vec3>(points, u, [](const ControlPoint& c) { return Vec3{c.x, 0.0f, c.z}; });
    };
    for (int i = 0; i <= n * steps; ++i) {
        const float u = static_cast<float>(i) / static_cast<float>(steps);
        const Vec3 p = eyeXZ(std::min(u, static_cast<float>(n) - 1e-4f));
        if (i > 0) {
            total += length(p - previous);
        }
        previous = p;
        us.push_back(u);
        arc.push_back(total);
    }
    CameraTour tour;
    size_t cursor = 0;
    for (int k = 0; k < waypointCount; ++k) {
        const float wanted = total * static_cast<float>(k) / static_cast<float>(waypointCount);
        while (cursor + 1 < arc.size() && arc[cursor + 1] < wanted) {
            ++cursor;
        }
        float u = us[cursor];
        if (cursor + 1 < arc.size() && arc[cursor + 1] > arc[cursor]) {
            u += (us[cursor + 1] - us[cursor]) * (wanted - arc[cursor]) / (arc[cursor + 1] - arc[cursor]);
        }
        if (k == 0) {
            u = 0.0f;
        }
        const Vec3 p = eyeXZ(u);
        const float clearance = catmullRom<float>(points, u, [](const ControlPoint& c) { return c.clearance; });
        const Vec3 target = catmullRom<Vec3>(points, u, [](const ControlPoint& c) { return c.target; });
        tour.push_back(Waypoint{Vec3{p.x, groundOrWater(terrain, p.x, p.z) + clearance, p.z}, target});
    }
    return tour;
}

// Raises waypoints until every segment keeps the clearance everywhere along it.
void liftAboveGround(CameraTour& tour, const TerrainField& terrain, float clearance)
{
    constexpr int samples = 48;
    const size_t n = tour.size();
    for (int pass = 0; pass < 64; ++pass) {
        bool lifted = false;
        for (size_t i = 0; i < n; ++i) {
            Waypoint& a = tour[i];
            Waypoint& b = tour[(i + 1) % n];
            float deficit = 0.0f;
            for (int k = 0; k <= samples; ++k) {
                const Vec3 p = lerp(a.eye, b.eye, static_cast<float>(k) / samples);
                deficit = std::max(deficit, groundOrWater(terrain, p.x, p.z) + clearance - p.y);
            }
            if (deficit > 0.0f) {
                a.eye.y += deficit + 0.005f;
                b.eye.y += deficit + 0.005f;
                lifted = true;
            }
        }
        if (!lifted) {
            return;
        }
    }
}

// Near the meadow and between the trees, low over the grass; starts at the
// free-fly start pose looking over the lake.
std::vector<ControlPoint> grassAndTreesControls()
{
    const float startClearance = 0.19f - TerrainField::kStartGround;
    return {
        {0.0f, 0.68f, startClearance, {0.15f, 0.2f, 2.3f}},
        {-0.62f, 0.42f, 0.15f, {-1.7f, 0.32f, 1.1f}},
        {-1.35f, 0.05f, 0.16f, {-2.4f, 0.35f, 0.1f}},
        {-1.95f, -0.55f, 0.14f, {-2.2f, 0.12f, -1.6f}},
        {-1.65f, -1.35f, 0.15f, {-0.6f, 0.12f, -1.95f}},
        {-0.8f, -1.75f, 0.18f, {0.45f, 0.18f, -1.4f}},
        {0.25f, -1.55f, 0.16f, {1.5f, 0.32f, -0.7f}},
        {1.15f, -1.05f, 0.15f, {2.2f, 0.42f, 0.3f}},
        {1.7f, -0.2f, 0.17f, {1.7f, 0.3f, 1.1f}},
        {1.05f, 0.45f, 0.18f, {0.2f, 0.15f, 1.7f}},
    };
}

// Once around the lake just beyond the shore, looking across the water and at
// the shadows of the trees on the ground.
std::vector<ControlPoint> waterAndShadowsControls()
{
    std::vector<ControlPoint> points;
    constexpr int count = 12;
    for (int i = 0; i < count; ++i) {
        // Starts on the near shore, in front of the free-fly start pose.
        const float angle = -0.5f * kPi - 2.0f * kPi * static_cast<float>(i) / count;
        const float x = LakeShape::centreX + 1.3f * LakeShape::radiusX * std::cos(angle);
        const float z = LakeShape::centreZ + 1.32f * LakeShape::radiusZ * std::sin(angle);
        // Look ahead and across: a point on the far side, a little lower than the eye.
        const float lookAngle = angle - 0.62f * kPi;
        const bool atShadows = i % 3 == 1;
        const float reach = atShadows ? 1.45f : 0.7f;
        const Vec3 target{LakeShape::centreX + reach * LakeShape::radiusX * std::cos(lookAngle), atShadows ? 0.05f : 0.02f,
                          LakeShape::centreZ + reach * LakeShape::radiusZ * std::sin(lookAngle)};
        const float clearance = 0.2f + 0.07f * std::sin(static_cast<float>(i) * 1.3f);
        points.push_back({x, z, clearance, target});
    }
    return points;
}

// High and wide: up at the sky, then far over the scene to the hills.
std::vector<ControlPoint> depthOfFieldAndSkyControls()
{
    return {
        {0.0f, -1.25f, 0.38f, {0.4f, 3.0f, 6.5f}},
        {-1.9f, -0.75f, 0.6f, {-7.0f, 2.6f, 3.0f}},
        {-3.55f, 0.95f, 0.85f, {-9.0f, 1.2f, 6.0f}},
        {-3.35f, 3.4f, 1.05f, {-2.5f, 6.0f, 11.0f}},
        {-1.2f, 5.55f, 1.2f, {2.0f, 5.0f, 12.0f}},
        {1.6f, 5.45f, 1.05f, {9.0f, 2.0f, 9.0f}},
        {3.55f, 3.4f, 0.9f, {9.5f, 3.5f, 0.5f}},
        {3.7f, 0.95f, 0.75f, {5.0f, 6.5f, -6.0f}},
        {2.4f, -1.05f, 0.55f, {-1.5f, 0.6f, 4.0f}},
    };
}

void appendG(std::string& out, float v)
{
    char buffer[32];
    const int n = std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(v));
    if (n > 0 && n < static_cast<int>(sizeof buffer)) {
        out.append(buffer, static_cast<size_t>(n));
    }
}

} // namespace

TourSet designTours(const TerrainField& terrain)
{
    TourSet tours;
    const TerrainField broad = terrain.broadShape();
    tours.grassAndTrees = resample(grassAndTreesControls(), 20, broad);
    tours.waterAndShadows = resample(waterAndShadowsControls(), 24, broad);
    tours.depthOfFieldAndSky = resample(depthOfFieldAndSkyControls(), 22, broad);
    for (CameraTour* tour : {&tours.grassAndTrees, &tours.waterAndShadows, &tours.depthOfFieldAndSky}) {
        liftAboveGround(*tour, terrain, kTourGroundClearance + 0.01f);
    }
    return tours;
}

std::vector<Vec3> sampleTour(const CameraTour& tour, int samplesPerSegment)
{
    std::vector<Vec3> points;
    const size_t n = tour.size();
    for (size_t i = 0; i < n; ++i) {
        const Vec3 a = tour[i].eye;
        const Vec3 b = tour[(i + 1) % n].eye;
        for (int k = 0; k < samplesPerSegment; ++k) {
            points.push_back(lerp(a, b, static_cast<float>(k) / static_cast<float>(samplesPerSegment)));
        }
    }
    return points;
}

std::vector<Vec3> sampleTours(const TourSet& tours, int samplesPerSegment)
{
    std::vector<Vec3> points;
    for (const CameraTour* tour : {&tours.grassAndTrees, &tours.waterAndShadows, &tours.depthOfFieldAndSky}) {
        const std::vector<Vec3> samples = sampleTour(*tour, samplesPerSegment);
        points.insert(points.end(), samples.begin(), samples.end());
    }
    return points;
}

std::vector<Waypoint> sampleTourViews(const TourSet& tours, int samplesPerSegment)
{
    std::vector<Waypoint> views;
    for (const CameraTour* tour : {&tours.grassAndTrees, &tours.waterAndShadows, &tours.depthOfFieldAndSky}) {
        const size_t n = tour->size();
        for (size_t i = 0; i < n; ++i) {
            const Waypoint& a = (*tour)[i];
            const Waypoint& b = (*tour)[(i + 1) % n];
            for (int k = 0; k < samplesPerSegment; ++k) {
                const float f = static_cast<float>(k) / static_cast<float>(samplesPerSegment);
                views.push_back(Waypoint{lerp(a.eye, b.eye, f), lerp(a.target, b.target, f)});
            }
        }
    }
    return views;
}

float lowestClearance(const CameraTour& tour, const TerrainField& terrain, int samplesPerSegment)
{
    float lowest = 1.0e9f;
    for (const Vec3& p : sampleTour(tour, samplesPerSegment)) {
        lowest = std::min(lowest, p.y - groundOrWater(terrain, p.x, p.z));
    }
    return lowest;
}

std::string serializeWps(const CameraTour& tour)
{
    std::string out;
    for (const Waypoint& w : tour) {
        for (const Vec3& v : {w.eye, w.target}) {
            appendG(out, v.x);
            out += ' ';
            appendG(out, v.y);
            out += ' ';
            appendG(out, v.z);
            out += '\n';
        }
    }
    return out;
}

} // namespace assets
