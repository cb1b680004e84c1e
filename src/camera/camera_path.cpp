#include "camera/camera_path.h"

#include "camera/waypoint_file.h"

namespace {
constexpr float progressPerMillisecond = 0.0005f;
constexpr float segmentEnd = 0.98f;

Vec3 lerp(Vec3 from, Vec3 to, float t)
{
    return from * (1.0f - t) + to * t;
}

uint32_t following(uint32_t index, uint32_t count)
{
    return index + 1 == count ? 0 : index + 1;
}

// Hands the tour to the next path in the cycle that has waypoints; the path
// playing counts too, last, so a lone loaded path starts over by itself.
void handOver(CameraTour& tour)
{
    for (uint32_t step = 1; step <= CameraTour::pathCount; ++step) {
        const uint32_t candidate = (tour.currentPath + step) % CameraTour::pathCount;
        if (tour.paths[candidate].count > 0) {
            tour.currentPath = candidate;
            tour.paths[candidate].restart();
            return;
        }
    }
}
} // namespace

const char* const tourPathFiles[CameraTour::pathCount] = {"Scene/c1wp.wps", "Scene/c2wp.wps", "Scene/c3wp.wps"};

bool CameraPath::advance(float elapsedMilliseconds)
{
    if (count == 0)
        return false;
    // Only a reload with fewer waypoints than before can leave the segment
    // beyond the table's end; start that loop over.
    if (segment >= count) {
        segment = 0;
        t = 0.0f;
    }

    nextIndex = following(segment, count);
    eye = lerp(waypoints[segment].eye, waypoints[nextIndex].eye, t);
    target = lerp(waypoints[segment].target, waypoints[nextIndex].target, t);

    t += elapsedMilliseconds * progressPerMillisecond;
    if (t >= segmentEnd) {
        segment = following(segment, count);
        t = 0.0f;
        return segment == 0;
    }
    return false;
}

void CameraPath::restart()
{
    segment = 0;
    nextIndex = 1;
    t = 0.0f;
}

void loadTour(CameraTour& tour)
{
    for (uint32_t i = 0; i < CameraTour::pathCount; ++i) {
        CameraPath& path = tour.paths[i];
        loadWaypoints(path, tourPathFiles[i]);
        path.eye = path.waypoints[0].eye;
        path.target = path.waypoints[0].target;
    }
    tour.currentPath = 0;
}

void advanceTour(CameraTour& tour, float elapsedMilliseconds)
{
    if (tour.currentPath >= CameraTour::pathCount)
        tour.currentPath = 0;
    CameraPath& path = tour.paths[tour.currentPath];
    // A path without waypoints cannot be ridden: pass it by at once.
    if (path.count == 0 || path.advance(elapsedMilliseconds))
        handOver(tour);
}
