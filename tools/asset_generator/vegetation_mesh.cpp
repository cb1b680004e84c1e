#include "vegetation_mesh.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

#include "card_facing.h"
#include "noise.h"
#include "random.h"

namespace assets {
namespace {

constexpr float kPi = 3.14159265f;
const Vec3 kUp{0.0f, 1.0f, 0.0f};

// Any unit vector perpendicular to `axis`.
Vec3 perpendicular(Vec3 axis)
{
    const Vec3 helper = std::fabs(axis.y) < 0.9f ? kUp : Vec3{1.0f, 0.0f, 0.0f};
    return normalize(cross(axis, helper));
}

Vec3 randomUnit(Random& random)
{
    for (;;) {
        const Vec3 v{random.range(-1.0f, 1.0f), random.range(-1.0f, 1.0f), random.range(-1.0f, 1.0f)};
        const float l = length(v);
        if (l > 0.05f && l <= 1.0f) {
            return v * (1.0f / l);
        }
    }
}

// A tapered tube from `from` to `to` through `bend` (a point at mid height
// offset sideways), open at both ends; bark coordinates wrap twice around.
void addTube(GroupBuilder& builder, Vec3 from, Vec3 to, Vec3 bend, float radiusFrom, float radiusTo, int sides, int rings)
{
    const Vec3 axis = normalize(to - from);
    const Vec3 side = perpendicular(axis);
    const Vec3 other = cross(axis, side);
    const float circumferenceTiles = 2.0f;
    const float lengthTiles = length(to - from) / std::max(radiusFrom, 0.01f) * 0.12f;
    std::vector<std::vector<int>> ringIndex(static_cast<size_t>(rings) + 1);
    std::vector<Vec3> ringCentre(static_cast<size_t>(rings) + 1);
    for (int r = 0; r <= rings; ++r) {
        const float f = static_cast<float>(r) / static_cast<float>(rings);
        // Quadratic curve through the bend point.
        const Vec3 centre = from * ((1.0f - f) * (1.0f - f)) + bend * (2.0f * f * (1.0f - f)) + to * (f * f);
        ringCentre[static_cast<size_t>(r)] = centre;
        const float radius = lerp(radiusFrom, radiusTo, f);
        for (int s = 0; s <= sides; ++s) {
            const float a = 2.0f * kPi * static_cast<float>(s % sides) / static_cast<float>(sides);
            const Vec3 p = centre + (side * std::cos(a) + other * std::sin(a)) * radius;
            const int index = builder.addPosition(p);
            builder.addTexCoord(Vec2{circumferenceTiles * static_cast<float>(s) / static_cast<float>(sides), f * lengthTiles});
            ringIndex[static_cast<size_t>(r)].push_back(index);
        }
    }
    const std::vector<Vec3>& positions = builder.group().positions;
    for (int r = 0; r < rings; ++r) {
        for (int s = 0; s < sides; ++s) {
            const int a = ringIndex[static_cast<size_t>(r)][static_cast<size_t>(s)];
            const int b = ringIndex[static_cast<size_t>(r)][static_cast<size_t>(s) + 1];
            const int c = ringIndex[static_cast<size_t>(r) + 1][static_cast<size_t>(s) + 1];
            const int d = ringIndex[static_cast<size_t>(r) + 1][static_cast<size_t>(s)];
            const Vec3 mid = (positions[static_cast<size_t>(a)] + positions[static_cast<size_t>(c)]) * 0.5f;
            const Vec3 centre = (ringCentre[static_cast<size_t>(r)] + ringCentre[static_cast<size_t>(r) + 1]) * 0.5f;
            const Vec3 outside = mid - centre;
            const Vec3 n1 = faceNormal(positions[static_cast<size_t>(a)], positions[static_cast<size_t>(b)], positions[static_cast<size_t>(c)]);
            builder.addTriangleFacing({a, b, c}, {a, b, c}, outside, dot(n1, outside) < 0.0f ? negate(n1) : n1);
            const Vec3 n2 = faceNormal(positions[static_cast<size_t>(a)], positions[static_cast<size_t>(c)], positions[static_cast<size_t>(d)]);
            builder.addTriangleFacing({a, c, d}, {a, c, d}, outside, dot(n2, outside) < 0.0f ? negate(n2) : n2);
        }
    }
}

} // namespace

void addTrunks(KxrGroup& group, int material, const std::vector<Tree>& trees)
{
    GroupBuilder builder(group, material);
    for (const Tree& tree : trees) {
        Random random(tree.id);
        const int sides = tree.background ? 6 : 8;
        const Vec3 base = tree.base - Vec3{0.0f, 0.06f, 0.0f};  // reaches into the ground on slopes
        const Vec3 lean{random.range(-0.04f, 0.04f), 0.0f, random.range(-0.04f, 0.04f)};
        const Vec3 top = tree.base + Vec3{0.0f, tree.height, 0.0f} + lean;
        const Vec3 bend = (base + top) * 0.5f + Vec3{random.range(-0.03f, 0.03f), 0.0f, random.range(-0.03f, 0.03f)};
        addTube(builder, base, top, bend, tree.trunkRadius * 1.15f, tree.trunkRadius * 0.3f, sides, 3);
        if (tree.background) {
            continue;
        }
        // Branches from the upper trunk into the crown.
        const int branches = 3 + random.below(2);
        for (int b = 0; b < branches; ++b) {
            const float along = random.range(0.5f, 0.75f);
            const Vec3 start = lerp(base, top, along);
            const float angle = 2.0f * kPi * (static_cast<float>(b) + random.range(0.0f, 0.6f)) / static_cast<float>(branches);
            const Vec3 end = tree.crownCentre + Vec3{std::cos(angle) * tree.crownRadius * 0.75f,
                                                     random.range(-0.05f, 0.2f) * tree.height,
                                                     std::sin(angle) * tree.crownRadius * 0.75f};
            const Vec3 mid = (start + end) * 0.5f + Vec3{0.0f, 0.04f, 0.0f};
            addTube(builder, start, end, mid, tree.trunkRadius * 0.45f, tree.trunkRadius * 0.12f, 5, 2);
        }
    }
}

void addLeafCrowns(KxrGroup& group, int material, const std::vector<Tree>& trees, int species, const std::vector<Waypoint>& tourViews)
{
    GroupBuilder builder(group, material);
    // One set of card corners, shared by every card; each card picks a turn.
    const int uv[4] = {builder.addTexCoord({0.0f, 0.0f}), builder.addTexCoord({1.0f, 0.0f}),
                       builder.addTexCoord({1.0f, 1.0f}), builder.addTexCoord({0.0f, 1.0f})};
    for (const Tree& tree : trees) {
        if (tree.species != species) {
            continue;
        }
        Random random(mix64(tree.id + 1));
        // Every card lies within the crown's ellipsoid and has an edge of at
        // most 1.5 leaf sizes.
        const float largestCard = 1.5f * tree.leafSize;
        const std::vector<Waypoint> crownViews = viewsWithin(
            tourViews, tree.crownCentre, std::max(tree.crownRadius, tree.crownHalfHeight) + kEdgeOnReachInCardEdges * largestCard);
        // A few overlapping lobes make the crown less of a ball.
        constexpr int lobeCount = 4;
        Vec3 lobes[lobeCount];
        lobes[0] = tree.crownCentre;
        for (int l = 1; l < lobeCount; ++l) {
            const float a = 2.0f * kPi * (static_cast<float>(l) + random.range(0.0f, 0.5f)) / (lobeCount - 1);
            lobes[l] = tree.crownCentre + Vec3{std::cos(a) * tree.crownRadius * 0.45f,
                                               random.range(-0.35f, 0.25f) * tree.crownHalfHeight,
                                               std::sin(a) * tree.crownRadius * 0.45f};
        }
        // Few cards with densely leaved pictures: every card behind another costs a
        // full pass over its pixels, so the crown is filled with as few as look full.
        const int cards = tree.background ? 18 : 28;
        for (int c = 0; c < cards; ++c) {
            // Mostly in the outer shell of a lobe, where leaves catch light.
            const Vec3 lobe = lobes[c % lobeCount];
            const float lobeScale = c % lobeCount == 0 ? 0.75f : 0.6f;
            const Vec3 direction = randomUnit(random);
            const float depth = (0.4f + 0.6f * std::sqrt(random.uniform())) * lobeScale;
            Vec3 centre = lobe + Vec3{direction.x * tree.crownRadius * depth, direction.y * tree.crownHalfHeight * depth,
                                      direction.z * tree.crownRadius * depth};
            // Stay inside the crown's ellipsoid, which the tours keep clear of.
            const Vec3 offset = centre - tree.crownCentre;
            const float inside = std::sqrt(offset.x * offset.x / (tree.crownRadius * tree.crownRadius) +
                                           offset.y * offset.y / (tree.crownHalfHeight * tree.crownHalfHeight) +
                                           offset.z * offset.z / (tree.crownRadius * tree.crownRadius));
            if (inside > 1.0f) {
                centre = tree.crownCentre + offset * (1.0f / inside);
            }
            const Vec3 outward = normalizeOr(centre - tree.crownCentre, kUp);
            const Vec3 drawnFacing = normalize(outward * 0.6f + randomUnit(random) * 0.5f + kUp * 0.1f);
            const float spin = random.range(0.0f, 2.0f * kPi);
            const float half = 0.65f * tree.leafSize * random.range(0.85f, 1.15f);
            const int turn = random.below(4);
            // A card that some tour would see edge-on from close by whichever
            // way it faces is left out: the crown is full enough without it.
            const std::optional<Vec3> shown = facingShownToEyes(drawnFacing, centre, eyesSeeingCard(crownViews, centre, 2.0f * half));
            if (!shown) {
                continue;
            }
            const Vec3 facing = *shown;
            Vec3 u = perpendicular(facing);
            u = u * std::cos(spin) + cross(facing, u) * std::sin(spin);
            const Vec3 v = cross(facing, u);
            const int p0 = builder.addPosition(centre - u * half - v * half);
            const int p1 = builder.addPosition(centre + u * half - v * half);
            const int p2 = builder.addPosition(centre + u * half + v * half);
            const int p3 = builder.addPosition(centre - u * half + v * half);
            const int t0 = uv[turn % 4];
            const int t1 = uv[(turn + 1) % 4];
            const int t2 = uv[(turn + 2) % 4];
            const int t3 = uv[(turn + 3) % 4];
            // Lit as part of a rounded crown rather than as a flat card.
            const Vec3 normal = normalize(facing * 0.5f + outward * 0.5f);
            builder.addTriangle({p0, p1, p2}, {t0, t1, t2}, normal);
            builder.addTriangle({p0, p2, p3}, {t0, t2, t3}, normal);
        }
    }
}

void addBoulders(KxrGroup& group, int material, const std::vector<Boulder>& boulders, uint64_t seed)
{
    GroupBuilder builder(group, material);
    // An icosahedron split once: 42 corners, 80 faces.
    const float g = 1.6180340f;
    std::vector<Vec3> unit = {{-1, g, 0}, {1, g, 0}, {-1, -g, 0}, {1, -g, 0}, {0, -1, g}, {0, 1, g},
                              {0, -1, -g}, {0, 1, -g}, {g, 0, -1}, {g, 0, 1}, {-g, 0, -1}, {-g, 0, 1}};
    for (Vec3& v : unit) {
        v = normalize(v);
    }
    std::vector<std::array<int, 3>> faces = {{0, 11, 5}, {0, 5, 1},  {0, 1, 7},   {0, 7, 10}, {0, 10, 11},
                                             {1, 5, 9},  {5, 11, 4}, {11, 10, 2}, {10, 7, 6}, {7, 1, 8},
                                             {3, 9, 4},  {3, 4, 2},  {3, 2, 6},   {3, 6, 8},  {3, 8, 9},
                                             {4, 9, 5},  {2, 4, 11}, {6, 2, 10},  {8, 6, 7},  {9, 8, 1}};
    std::map<std::pair<int, int>, int> midpoints;
    auto midpoint = [&](int a, int b) {
        const std::pair<int, int> key{std::min(a, b), std::max(a, b)};
        auto found = midpoints.find(key);
        if (found != midpoints.end()) {
            return found->second;
        }
        unit.push_back(normalize(unit[static_cast<size_t>(a)] + unit[static_cast<size_t>(b)]));
        const int index = static_cast<int>(unit.size()) - 1;
        midpoints.emplace(key, index);
        return index;
    };
    std::vector<std::array<int, 3>> split;
    for (const auto& f : faces) {
        const int ab = midpoint(f[0], f[1]);
        const int bc = midpoint(f[1], f[2]);
        const int ca = midpoint(f[2], f[0]);
        split.push_back({f[0], ab, ca});
        split.push_back({f[1], bc, ab});
        split.push_back({f[2], ca, bc});
        split.push_back({ab, bc, ca});
    }

    for (const Boulder& boulder : boulders) {
        std::vector<int> index(unit.size());
        std::vector<Vec3> corner(unit.size());
        for (size_t i = 0; i < unit.size(); ++i) {
            const Vec3 d = unit[i];
            const float lump = 1.0f + 0.22f * fbm(seed + boulder.id % 1000u, d.x * 1.7f + d.y * 0.3f, d.z * 1.7f - d.y * 0.9f, 2);
            corner[i] = boulder.centre + Vec3{d.x * boulder.radii.x, d.y * boulder.radii.y, d.z * boulder.radii.z} * lump;
            index[i] = builder.addPosition(corner[i]);
        }
        for (const auto& f : split) {
            const Vec3 a = corner[static_cast<size_t>(f[0])];
            const Vec3 b = corner[static_cast<size_t>(f[1])];
            const Vec3 c = corner[static_cast<size_t>(f[2])];
            const Vec3 n = faceNormal(a, b, c);
            // Box mapping: project onto the plane the face is most parallel to.
            auto project = [&](Vec3 p) {
                constexpr float tiling = 3.0f;
                if (std::fabs(n.y) >= std::fabs(n.x) && std::fabs(n.y) >= std::fabs(n.z)) {
                    return Vec2{p.x * tiling, -p.z * tiling};
                }
                if (std::fabs(n.x) >= std::fabs(n.z)) {
                    return Vec2{p.z * tiling, p.y * tiling};
                }
                return Vec2{p.x * tiling, p.y * tiling};
            };
            const int ta = builder.addTexCoord(project(a));
            const int tb = builder.addTexCoord(project(b));
            const int tc = builder.addTexCoord(project(c));
            const Vec3 outside = (a + b + c) * (1.0f / 3.0f) - boulder.centre;
            builder.addTriangleFacing({index[static_cast<size_t>(f[0])], index[static_cast<size_t>(f[1])],
                                       index[static_cast<size_t>(f[2])]},
                                      {ta, tb, tc}, outside, dot(n, outside) < 0.0f ? negate(n) : n);
        }
    }
}

void addMeadow(KxrGroup& grass, int grassMaterial, KxrGroup& flowers, int flowerMaterial, const TerrainField& terrain,
               const std::vector<Tree>& trees, const std::vector<Boulder>& boulders, uint64_t seed)
{
    GroupBuilder grassBuilder(grass, grassMaterial);
    GroupBuilder flowerBuilder(flowers, flowerMaterial);
    auto cardCorners = [](GroupBuilder& b) {
        return std::array<int, 4>{b.addTexCoord({0.0f, 0.0f}), b.addTexCoord({1.0f, 0.0f}), b.addTexCoord({1.0f, 1.0f}),
                                  b.addTexCoord({0.0f, 1.0f})};
    };
    const std::array<int, 4> grassUv = cardCorners(grassBuilder);
    const std::array<int, 4> flowerUv = cardCorners(flowerBuilder);

    Random random(streamSeed(seed, 71));
    // Which tufts grow is decided on the land without the hills' relief, so
    // the relief leaves the meadow's layout as it was; they stand on the real
    // ground.
    const TerrainField broad = terrain.broadShape();
    // One card a tuft, turned at random, and tufts sparse enough that a low
    // view over the meadow looks through few cards to the ground: every card
    // costs a full pass over its pixels, empty or not. Their pictures are
    // dense with blades instead.
    constexpr float spacing = 0.07f;
    for (float z = -3.0f; z < 6.2f; z += spacing) {
        for (float x = -4.6f; x < 4.6f; x += spacing) {
            const float px = x + random.range(0.0f, spacing);
            const float pz = z + random.range(0.0f, spacing);
            const float keep = random.uniform();
            // Densest on the near-side meadow, thinning out towards the hills.
            const float meadowX = (px + 0.2f) / 3.3f;
            const float meadowZ = (pz - 0.1f) / 2.5f;
            const float meadow = 1.0f - smoothstep(0.8f, 1.5f, std::sqrt(meadowX * meadowX + meadowZ * meadowZ));
            const float patchy = 0.65f + 0.5f * fbm(seed + 3, px * 1.3f, pz * 1.3f, 3);
            const float density = std::max(meadow, 0.1f) * patchy;
            if (keep >= density) {
                continue;
            }
            if (terrain.lakeDistance(px, pz) < 1.2f || broad.normal(px, pz).y < 0.92f) {
                continue;
            }
            const Vec3 foot{px, 0.0f, pz};
            bool blocked = false;
            for (const Tree& t : trees) {
                blocked = blocked || horizontalDistance(t.base, foot) < t.trunkRadius + 0.05f;
            }
            for (const Boulder& b : boulders) {
                blocked = blocked || horizontalDistance(b.centre, foot) < std::max(b.radii.x, b.radii.z) * 0.9f;
            }
            if (blocked) {
                continue;
            }
            const bool flowering = random.uniform() < 0.09f;
            GroupBuilder& builder = flowering ? flowerBuilder : grassBuilder;
            const std::array<int, 4>& uv = flowering ? flowerUv : grassUv;
            const float width = random.range(0.07f, 0.11f);
            const float height = flowering ? random.range(0.06f, 0.085f) : random.range(0.045f, 0.075f);
            const float yaw = random.range(0.0f, kPi);
            const Vec3 lean{random.range(-0.012f, 0.012f), 0.0f, random.range(-0.012f, 0.012f)};
            for (int card = 0; card < 1; ++card) {
                const float a = yaw + 0.5f * kPi * static_cast<float>(card);
                const Vec3 along{std::cos(a) * width * 0.5f, 0.0f, std::sin(a) * width * 0.5f};
                Vec3 left = foot - along;
                Vec3 right = foot + along;
                left.y = terrain.height(left.x, left.z) - 0.008f;
                right.y = terrain.height(right.x, right.z) - 0.008f;
                const Vec3 rise = Vec3{0.0f, height, 0.0f} + lean;
                const int p0 = builder.addPosition(left);
                const int p1 = builder.addPosition(right);
                const int p2 = builder.addPosition(right + rise);
                const int p3 = builder.addPosition(left + rise);
                // Lit mostly like the ground it stands on.
                const Vec3 face = faceNormal(left, right, right + rise);
                const Vec3 normal = normalize(kUp * 0.6f + face * 0.4f);
                const bool mirrored = random.uniform() < 0.5f;
                const int u0 = mirrored ? uv[1] : uv[0];
                const int u1 = mirrored ? uv[0] : uv[1];
                const int u2 = mirrored ? uv[3] : uv[2];
                const int u3 = mirrored ? uv[2] : uv[3];
                builder.addTriangle({p0, p1, p2}, {u0, u1, u2}, normal);
                builder.addTriangle({p0, p2, p3}, {u0, u2, u3}, normal);
            }
        }
    }
}

} // namespace assets
