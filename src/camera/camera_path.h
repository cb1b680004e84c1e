#pragma once

#include <array>
#include <cstdint>

#include "camera/vec3.h"

// One recorded camera pose: where the eye is and the point it looks at.
struct Waypoint {
    Vec3 eye;
    Vec3 target;
};

// A closed loop of waypoints that the demo tour rides, one segment per
// 1,960 ms of frame time whatever the segment's length, back to waypoint 0
// after the last.
struct CameraPath {
    static constexpr uint32_t capacity = 100;

    std::array<Waypoint, capacity> waypoints{};
    uint32_t count = 0;     // waypoints loaded, 0 ... capacity
    Vec3 eye;               // the pose currently shown
    Vec3 target;
    float t = 0.0f;         // progress within the current segment, below 0.98 between updates
    uint32_t segment = 0;   // waypoint the current segment starts at
    uint32_t nextIndex = 1; // waypoint it ends at

    // Shows the pose at t (as it stood before this call), then moves t on by
    // 0.0005 per millisecond; at 0.98 the segment is done and the next one
    // starts at t = 0, so at most one segment passes per call. True when the
    // segment that just ended closed the loop. A path without waypoints does
    // nothing and returns false.
    bool advance(float elapsedMilliseconds);

    // Back to the start of the loop, as a path is when the tour hands over to it.
    void restart();
};

// The demo tour: three paths played in turn 0, 1, 2, 0, ...
struct CameraTour {
    static constexpr uint32_t pathCount = 3;

    std::array<CameraPath, pathCount> paths{};
    uint32_t currentPath = 0; // the path playing

    // The pose the renderer looks through in demo mode (its eye and target,
    // up being (0, 1, 0)): always that of the path playing.
    const CameraPath& currentView() const { return paths[currentPath % pathCount]; }
};

// The files of paths 0, 1 and 2, relative to the working directory.
extern const char* const tourPathFiles[CameraTour::pathCount];

// Start-up's share of the tour: loads the three path files, shows each path's
// waypoint 0 and makes path 0 current. The playback positions (t, segment,
// nextIndex) carry on as they stood. Writes no progress line of its own.
void loadTour(CameraTour& tour);

// One frame of the tour: advances the path playing; when it completes its loop
// the next path with waypoints takes over from its start (this frame still
// shows that path's pose as it was last set). Paths without waypoints are
// skipped; when none has any, the view stands still.
void advanceTour(CameraTour& tour, float elapsedMilliseconds);
