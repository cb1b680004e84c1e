#pragma once

#include <optional>
#include <vector>

#include "camera_tours.h"
#include "vector_math.h"

// Foliage cards are flat pictures: seen edge-on from close by, a card shows
// as a long dark line across the view instead of leaves.
namespace assets {

// Within this many card edges of the eye, an edge-on card spans a good part
// of the picture (90 degrees of view: at three edges' distance a card is
// about a sixth of the picture's height).
constexpr float kEdgeOnReachInCardEdges = 3.0f;
// How far off the line of sight a card can be and still show: a little more
// than the corners of a 4:3 picture with 90 degrees of view (59 degrees).
constexpr float kViewConeDegrees = 65.0f;
// The least share of its face a card shows to any eye that sees it within
// that reach (the cosine between its normal and the line to the eye).
constexpr float kLeastFacing = 0.12f;

// The views whose eye lies nearer than `distance` to `centre`.
std::vector<Waypoint> viewsWithin(const std::vector<Waypoint>& views, Vec3 centre, float distance);
// The eyes of those views that see a card of edge `cardEdge` at `centre`
// within reach.
std::vector<Vec3> eyesSeeingCard(const std::vector<Waypoint>& views, Vec3 centre, float cardEdge);

// The facing nearest to `facing` (itself when it will do) with which the card
// shows enough of its face to every eye in `eyes`, or none when no facing
// does (eyes all around the card).
std::optional<Vec3> facingShownToEyes(Vec3 facing, Vec3 centre, const std::vector<Vec3>& eyes);

} // namespace assets
