#include "scene/tangent_space.h"

#include <cmath>

namespace {

// Products of floats are kept in double: the results are the same where floats
// suffice, and tiny texture areas don't overflow on the way.
struct D3 {
    double x, y, z;
};

D3 toD(Vec3 v) { return {v.x, v.y, v.z}; }
D3 operator-(D3 a, D3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
D3 operator*(double s, D3 v) { return {s * v.x, s * v.y, s * v.z}; }
double dotD(D3 a, D3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
D3 crossD(D3 a, D3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double lengthD(D3 v) { return std::sqrt(dotD(v, v)); }

bool usable(double length) { return std::isfinite(length) && length > 0.0; }

Vec3 toUnitFloat(D3 v, double length)
{
    return {static_cast<float>(v.x / length), static_cast<float>(v.y / length), static_cast<float>(v.z / length)};
}

// A unit vector along the normal; for a zero normal the triangle's own face
// normal, and for a triangle without area the up axis.
D3 unitNormal(D3 normal, D3 e1, D3 e2)
{
    for (D3 candidate : {normal, crossD(e1, e2)}) {
        const double l = lengthD(candidate);
        if (usable(l))
            return (1.0 / l) * candidate;
    }
    return {0.0, 1.0, 0.0};
}

// Gram-Schmidt of the preferred direction against the unit normal; when that
// leaves too little, the coordinate axis least aligned with the normal.
D3 unitPerpendicular(D3 n, D3 preferred)
{
    const double pl = lengthD(preferred);
    if (usable(pl)) {
        const D3 p = (1.0 / pl) * preferred;
        const D3 t = p - dotD(p, n) * n;
        const double tl = lengthD(t);
        if (usable(tl) && tl > 1e-6)
            return (1.0 / tl) * t;
    }
    const double ax = std::fabs(n.x), ay = std::fabs(n.y), az = std::fabs(n.z);
    const D3 axis = ax <= ay && ax <= az ? D3{1, 0, 0} : ay <= az ? D3{0, 1, 0} : D3{0, 0, 1};
    const D3 t = axis - dotD(axis, n) * n;
    return (1.0 / lengthD(t)) * t;
}

} // namespace

TangentBasis triangleTangentBasis(const Vec3 (&positions)[3], const Vec3 (&texCoords)[3], Vec3 normal)
{
    const D3 p0 = toD(positions[0]);
    const D3 e1 = toD(positions[1]) - p0;
    const D3 e2 = toD(positions[2]) - p0;
    const double ds1 = double(texCoords[1].x) - texCoords[0].x;
    const double dt1 = double(texCoords[1].y) - texCoords[0].y;
    const double ds2 = double(texCoords[2].x) - texCoords[0].x;
    const double dt2 = double(texCoords[2].y) - texCoords[0].y;
    const D3 n = toD(normal);

    D3 tangent{0, 0, 0};
    D3 binormal{0, 0, 0};
    const double divisor = dt2 * ds1 - ds2 * dt1;
    if (divisor != 0.0 && std::isfinite(divisor)) {
        const double r = 1.0 / divisor;
        const D3 t = r * (dt2 * e1 - dt1 * e2);
        const D3 b = r * (ds1 * e2 - ds2 * e1);
        tangent = t - dotD(n, t) * n;
        binormal = b - dotD(n, b) * n - dotD(tangent, b) * tangent;
        const double tl = lengthD(tangent);
        const double bl = lengthD(binormal);
        if (usable(tl) && usable(bl))
            return {toUnitFloat(tangent, tl), toUnitFloat(binormal, bl)};
    }

    // Degenerate mapping: keep the direction of whichever of tangent and
    // binormal survived and complete a frame around the normal with
    // binormal = normal x tangent, the handedness of a regular mapping.
    const D3 un = unitNormal(n, e1, e2);
    if (!usable(lengthD(tangent)) && usable(lengthD(binormal))) {
        const D3 b = unitPerpendicular(un, binormal);
        return {toUnitFloat(crossD(b, un), 1.0), toUnitFloat(b, 1.0)};
    }
    const D3 t = unitPerpendicular(un, tangent);
    return {toUnitFloat(t, 1.0), toUnitFloat(crossD(un, t), 1.0)};
}

void computeTangents(std::vector<MeshGroup>& groups)
{
    for (size_t g = 0; g < groups.size(); ++g) {
        MeshGroup& group = groups[g];
        for (MeshTriangle& triangle : group.triangles) {
            if (g == WaterGroupIndex) {
                // The water surface is flat and faces up whatever the file says.
                triangle.tangent = {1.0f, 0.0f, 0.0f};
                triangle.binormal = {0.0f, 0.0f, 1.0f};
                triangle.normal = {0.0f, 1.0f, 0.0f};
                continue;
            }
            const Vec3 corners[3] = {group.positions[static_cast<size_t>(triangle.positionIndices.a)],
                                     group.positions[static_cast<size_t>(triangle.positionIndices.b)],
                                     group.positions[static_cast<size_t>(triangle.positionIndices.c)]};
            const Vec3 mapping[3] = {group.texCoords[static_cast<size_t>(triangle.texCoordIndices.a)],
                                     group.texCoords[static_cast<size_t>(triangle.texCoordIndices.b)],
                                     group.texCoords[static_cast<size_t>(triangle.texCoordIndices.c)]};
            const TangentBasis basis = triangleTangentBasis(corners, mapping, triangle.normal);
            triangle.tangent = basis.tangent;
            triangle.binormal = basis.binormal;
        }
    }
}
