#pragma once

#include "camera/camera_path.h"
#include "camera/vec3.h"

// The .wps camera path files: plain text, six whitespace-separated decimal
// numbers per waypoint (eye x y z, then target x y z), no header. As written
// here, a record is two lines, the eye's numbers and the target's, in printf's
// "%g" form.

// Where recorded waypoints go, relative to the working directory.
extern const char* const recordedPathFile; // "usrpath.wps"

// Replaces the path's waypoints with the file's records, in file order, and
// sets count; t, segment and nextIndex are left alone. A trailing group of
// fewer than six numbers is no record. Reading stops, keeping what it has,
// at anything that is not a number, and after the path's capacity of records;
// those cases and a file that cannot be opened each leave one log entry
// naming the file. False when the file could not be opened.
bool loadWaypoints(CameraPath& path, const char* fileName);

// Appends one record to "usrpath.wps", creating it if missing; earlier
// records stay. When the file cannot be written the waypoint is lost, but a
// log entry says so; the demo goes on either way. True when it was written.
bool appendWaypoint(Vec3 eye, Vec3 target);
