// Feeds arbitrary bytes to the camera path reader as a .wps file, then rides
// the tour over what was read, checking that playback stays within the table.
#include "camera/camera_path.h"
#include "camera/waypoint_file.h"
#include "fuzz/scratch_file.h"

using fuzz_support::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* scratchFile = fuzz_support::writeScratch(data, size);
    if (!scratchFile)
        return 0;

    CameraTour tour;
    // Path 2 stands where an earlier start-up left it, as after a fullscreen switch.
    tour.paths[2].segment = size > 0 ? data[0] : 0;
    tour.paths[2].t = 0.5f;
    loadWaypoints(tour.paths[0], scratchFile);
    loadWaypoints(tour.paths[2], scratchFile);
    for (CameraPath& path : tour.paths) {
        require(path.count <= CameraPath::capacity);
        path.eye = path.waypoints[0].eye;
        path.target = path.waypoints[0].target;
    }

    const float frames[] = {0.0f, 1.0f, 16.0f, 980.0f, 1960.0f, 5000.0f, 4294967295.0f};
    for (int step = 0; step < 420; ++step) {
        advanceTour(tour, frames[step % 7]);
        require(tour.currentPath < CameraTour::pathCount);
        const CameraPath& path = tour.currentView();
        if (path.count > 0) {
            require(path.segment < path.count);
            require(path.t >= 0.0f && path.t < 0.98f);
        }
    }
    return 0;
}
