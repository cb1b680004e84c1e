// verdal-probe's ground and random poses, on a small scene file written in the
// demo's own format: the views the awkward-views test and the view sweep
// render are only as awkward as these heights are true.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <optional>

#include "ground_probe.h"
#include "support/test_files.h"
#include "view_sampler.h"

using namespace testing_support;

namespace {

// World triangles (y up) as a .kxr file stores them: file units of 0.01 with
// z negated, untextured.
std::string kxrOf(const std::vector<std::array<Vec3, 3>>& triangles)
{
    std::string text = "0\n1\n" + std::to_string(3 * triangles.size()) + " 1 " + std::to_string(triangles.size()) + "\n";
    char line[128];
    for (const auto& t : triangles)
        for (const Vec3& p : t) {
            std::snprintf(line, sizeof line, "%g %g %g\n", p.x * 100.0f, p.y * 100.0f, -p.z * 100.0f);
            text += line;
        }
    text += "0 0 0\n";
    for (size_t i = 0; i < triangles.size(); ++i) {
        std::snprintf(line, sizeof line, "%zu %zu %zu\n0 0 0\n0 1 0\n100\n", 3 * i, 3 * i + 1, 3 * i + 2);
        text += line;
    }
    return text;
}

// A 2 x 2 slope rising along x (y = x / 2), in two triangles, with a ledge at
// y = 1 over its corner near the origin.
GroundProbe slopeWithLedge()
{
    const std::filesystem::path file = makeTempDir("ground-probe") / "ground.kxr";
    writeFile(file, kxrOf({
                        {Vec3{0, 0, 0}, Vec3{0, 0, 2}, Vec3{2, 1, 2}},
                        {Vec3{0, 0, 0}, Vec3{2, 1, 2}, Vec3{2, 1, 0}},
                        {Vec3{0, 1, 0}, Vec3{0, 1, 0.5f}, Vec3{0.5f, 1, 0}},
                    }));
    GroundProbe probe;
    std::string error;
    EXPECT_TRUE(probe.load(file.string().c_str(), error)) << error;
    return probe;
}

} // namespace

TEST(GroundProbe, HighestSurfaceUnderEachPoint)
{
    const GroundProbe probe = slopeWithLedge();
    struct Case {
        const char* where;
        float x, z;
        std::optional<float> height;
    };
    const Case cases[] = {
        {"inside one triangle", 1.5f, 0.5f, 0.75f},
        {"on the edge the two share", 1.0f, 1.0f, 0.5f},
        {"on a corner", 2.0f, 2.0f, 1.0f},
        {"under the ledge", 0.1f, 0.1f, 1.0f},
        {"beside the ledge", 0.1f, 1.5f, 0.05f},
        {"beyond the edge in x", 2.5f, 1.0f, std::nullopt},
        {"beyond the edge in z (the file's z is negated)", 1.0f, -1.0f, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<float> height = probe.heightAt(c.x, c.z);
        ASSERT_EQ(height.has_value(), c.height.has_value()) << c.where;
        if (height) {
            EXPECT_NEAR(*height, *c.height, 1e-5f) << c.where;
        }
    }
}

TEST(GroundProbe, SampledPosesKeepTheirRangesAndFollowTheSeed)
{
    const GroundProbe probe = slopeWithLedge();
    const SweepRange range{.margin = 0.0f};
    const std::vector<SampledView> views = sampleViews(probe, 400, 7, range);
    ASSERT_EQ(views.size(), 400u);
    int low = 0;
    for (const SampledView& v : views) {
        const float above = v.eye.y - probe.heightAt(v.eye.x, v.eye.z).value_or(-1e9f);
        EXPECT_TRUE(above >= range.lowest * 0.999f && above <= range.highest * 1.001f) << above;
        low += above < 0.03f;
        const Vec3 d = v.target - v.eye;
        EXPECT_NEAR(length(d), 1.0f, 1e-4f);
        EXPECT_TRUE(std::asin(d.y) >= range.pitchDown - 1e-3f && std::asin(d.y) <= range.pitchUp + 1e-3f) << d.y;
    }
    // Log-uniform from 1 mm to 30 m: a third of the eyes lie within 3 cm of the ground.
    EXPECT_GT(low, 100);
    EXPECT_LT(low, 170);

    const std::vector<SampledView> again = sampleViews(probe, 400, 7, range);
    const std::vector<SampledView> other = sampleViews(probe, 400, 8, range);
    EXPECT_EQ(again.back().eye.x, views.back().eye.x);
    EXPECT_EQ(again.back().target.y, views.back().target.y);
    EXPECT_NE(other.back().eye.x, views.back().eye.x);
}
