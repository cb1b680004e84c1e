#include "card_facing.h"

#include <algorithm>
#include <cmath>

namespace assets {
namespace {

// The least share of its face the card shows to any of the eyes.
float leastShown(Vec3 facing, Vec3 centre, const std::vector<Vec3>& eyes)
{
    float least = 1.0f;
    for (const Vec3& eye : eyes) {
        least = std::min(least, std::fabs(dot(facing, normalizeOr(eye - centre, facing))));
    }
    return least;
}

} // namespace

std::vector<Waypoint> viewsWithin(const std::vector<Waypoint>& views, Vec3 centre, float distance)
{
    std::vector<Waypoint> near;
    for (const Waypoint& view : views) {
        if (length(view.eye - centre) < distance) {
            near.push_back(view);
        }
    }
    return near;
}

std::vector<Vec3> eyesSeeingCard(const std::vector<Waypoint>& views, Vec3 centre, float cardEdge)
{
    const float reach = kEdgeOnReachInCardEdges * cardEdge;
    const float coneCosine = std::cos(kViewConeDegrees * 3.14159265f / 180.0f);
    std::vector<Vec3> eyes;
    for (const Waypoint& view : views) {
        const Vec3 toCard = centre - view.eye;
        const float distance = length(toCard);
        const Vec3 sight = normalizeOr(view.target - view.eye, toCard);
        if (distance < reach && dot(sight, toCard) >= coneCosine * distance) {
            eyes.push_back(view.eye);
        }
    }
    return eyes;
}

std::optional<Vec3> facingShownToEyes(Vec3 facing, Vec3 centre, const std::vector<Vec3>& eyes)
{
    if (leastShown(facing, centre, eyes) >= kLeastFacing) {
        return facing;
    }
    // Directions spread evenly over the half of the sphere around `facing`
    // (a card looks the same from both sides), tried nearest first.
    constexpr int kCandidates = 256;
    std::vector<Vec3> candidates;
    for (int i = 0; i < kCandidates; ++i) {
        const float y = 1.0f - (static_cast<float>(i) + 0.5f) / kCandidates * 2.0f;
        const float ring = std::sqrt(std::max(0.0f, 1.0f - y * y));
        const float angle = 2.39996323f * static_cast<float>(i);
        Vec3 d{ring * std::cos(angle), y, ring * std::sin(angle)};
        candidates.push_back(dot(d, facing) < 0.0f ? negate(d) : d);
    }
    std::sort(candidates.begin(), candidates.end(), [&](Vec3 a, Vec3 b) { return dot(a, facing) > dot(b, facing); });
    for (const Vec3& candidate : candidates) {
        if (leastShown(candidate, centre, eyes) >= kLeastFacing) {
            return candidate;
        }
    }
    return std::nullopt;
}

} // namespace assets
