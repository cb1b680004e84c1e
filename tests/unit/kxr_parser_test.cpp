#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "scene/kxr_parser.h"

namespace {

// One material, one group: positions 100 200 300 and 1 2 3, texture
// coordinates (0.25, 0.5, 0.75) and (0, 0, 0), one triangle with normal 0 0 1
// and material 1; laid out line by line as exporters write it.
const char* const conventional = "1\nTextures\\bark.bmp\nTextures\\bark_normal.bmp\n1\n"
                                 "3 2 1\n100 200 300\n1 2 3\n-4.5 0 0.5\n0.25 0.5 0.75\n0 0 0\n"
                                 "0 1 2\n0 1 1\n0 0 1\n1\n";

SceneData parsed(const std::string& text)
{
    SceneData data;
    std::string error;
    EXPECT_TRUE(parseKxr(text, "Scene/test.kxr", data, error)) << error;
    EXPECT_EQ(error, "");
    return data;
}

using Xyz = std::array<float, 3>;
Xyz xyz(Vec3 v) { return {v.x, v.y, v.z}; }

} // namespace

TEST(KxrParser, ReadsTheFileAsTheSceneUsesIt)
{
    const SceneData data = parsed(conventional);
    ASSERT_EQ(data.materials.size(), 1u);
    EXPECT_EQ(data.materials[0].base + data.materials[0].normal, "Textures\\bark.bmpTextures\\bark_normal.bmp");
    ASSERT_EQ(data.groups.size(), 1u);
    const MeshGroup& group = data.groups[0];
    // Scaled by the float 0.01 after z is negated.
    ASSERT_EQ(group.positions.size(), 3u);
    EXPECT_EQ(xyz(group.positions[0]), (Xyz{1.0f, 2.0f, -3.0f}));
    EXPECT_EQ(xyz(group.positions[1]), (Xyz{1 * 0.01f, 2 * 0.01f, -3 * 0.01f}));
    EXPECT_EQ(xyz(group.positions[2]), (Xyz{-4.5f * 0.01f, 0.0f, -0.5f * 0.01f}));
    ASSERT_EQ(group.texCoords.size(), 2u);
    EXPECT_EQ(xyz(group.texCoords[0]), (Xyz{0.25f, 0.75f, 0.5f})) << "the file stores s, r, t";
    ASSERT_EQ(group.triangles.size(), 1u);
    const MeshTriangle& triangle = group.triangles[0];
    EXPECT_EQ(triangle.positionIndices.c, 2);
    EXPECT_EQ(triangle.texCoordIndices.b, 1);
    EXPECT_EQ(xyz(triangle.normal), (Xyz{0.0f, 0.0f, -1.0f})) << "z negated, not scaled";
    EXPECT_EQ(triangle.materialIndex, 0) << "material number 1";
}

// Layout, signs and leading zeros of integers, empty scenes and groups, and
// what follows the last group: each text reads to the shape given.
TEST(KxrParser, LayoutAndIntegerFormsDoNotMatter)
{
    std::string oneLine = conventional, windows;
    std::replace(oneLine.begin(), oneLine.end(), '\n', ' ');
    for (const char* c = conventional; *c; ++c)
        windows += *c == '\n' ? std::string("\r\n\t\v\f") : std::string(1, *c);
    const struct {
        std::string text;
        size_t groups, triangles;
    } cases[] = {
        {oneLine, 1, 1},
        {"\r\n " + windows, 1, 1},
        {std::string(conventional) + "this is no number\n\x01\x02", 1, 1},
        {"0 0", 0, 0},
        {"0 1 0 0 0", 1, 0},
        {"+0 +01\n+3 0003 +1\n0 0 0 1 0 0 0 1 0\n0 0 0 0 0 0 0 0 0\n00 +1 2\n-0 +0 0\n0.0 +1 -0\n+100", 1, 1},
    };
    for (const auto& c : cases) {
        const SceneData data = parsed(c.text);
        ASSERT_EQ(data.groups.size(), c.groups) << c.text;
        EXPECT_EQ(c.groups ? data.groups[0].triangles.size() : 0u, c.triangles) << c.text;
    }
    EXPECT_EQ(parsed(windows).groups[0].positions[2].x, -4.5f * 0.01f);
    EXPECT_EQ(parsed(std::string("1 ") + std::string(MaxTextureNameLength, 'n') + " x 0").materials[0].base.size(),
              MaxTextureNameLength);
}

// Every number token reads as strtof reads it: signs, exponents, hexadecimal
// forms, digits beyond float precision, values that round to zero.
TEST(KxrParser, NumbersReadAsStrtofReadsThem)
{
    const std::vector<std::string> tokens = {
        "0", "-0", "+1.5", "1.", ".5", "-.25", "1e3", "1E-3", "+2.5e+2", "-7.e-1", "3.14159265358979323846",
        "0.1", "16777217", "340282346638528859811704183484516925440", "1e-40", "1e-46", "-1e-46",
        "0x1p3", "0X1.8P-1", "-0x.8p1", "0x10", "000123.4500", "1.17549435e-38", "123456789012345678901234567890",
    };
    std::string text = "0 1 0 " + std::to_string(tokens.size()) + " 0\n";
    for (const std::string& token : tokens)
        text += token + " 0 " + token + "\n";  // s and t, unscaled
    const SceneData data = parsed(text);
    ASSERT_EQ(data.groups[0].texCoords.size(), tokens.size());
    for (size_t i = 0; i < tokens.size(); ++i) {
        const float expected = std::strtof(tokens[i].c_str(), nullptr);
        EXPECT_EQ(data.groups[0].texCoords[i].x, expected) << tokens[i];
        EXPECT_EQ(std::signbit(data.groups[0].texCoords[i].x), std::signbit(expected)) << tokens[i];
        EXPECT_EQ(data.groups[0].texCoords[i].y, expected) << tokens[i];
    }
}

namespace {

struct Malformed {
    const char* what;
    std::string text;
    std::string message;  // the whole error text after "Scene/bad.kxr: "
};

const std::string header = "1 a.bmp an.bmp 1\n";
const std::string threePositions = "0 0 0\n1 0 0\n0 1 0\n";
const std::string threeTexCoords = "0 0 0\n1 0 0\n0 0 1\n";

// One group with three positions and texture coordinates and the triangle
// lines given (starting on line 11).
std::string oneTriangle(const std::string& triangle)
{
    return header + "3 3 1\n" + threePositions + threeTexCoords + triangle;
}

std::vector<Malformed> malformedCases()
{
    std::string sixLongRows;
    for (int row = 0; row < 6; ++row)
        sixLongRows += "0.000000 0.000000 0.000000\n";
    return {
        {"empty file", "", "material count (line 1): the file ends where an integer belongs"},
        {"negative material count", "-1 0", "material count (line 1): material count -1 is negative"},
        {"missing normal texture name", "1 a.bmp", "material 1 (line 1): the file ends where the normal texture name belongs"},
        {"texture name of 200 characters", "1\n" + std::string(200, 'x') + "\nb 0",
         "material 1 (line 2): the base texture name has 200 characters (at most 199)"},
        {"zero byte in a texture name", std::string("1 a\0b c 0", 9), "material 1 (line 1): the base texture name holds a zero byte"},
        {"negative group count", "0 -5", "group count (line 1): group count -5 is negative"},
        {"absurd counts", "0 1\n2147483647 2147483647 2147483647\n0 0 0",
         "group 0 (line 2): 2147483647 positions, 2147483647 texture coordinates and 2147483647 triangles need more values than the rest of the file holds"},
        {"word for a position", header + "2 0 0\n1 2 3\n4 five 6\n", "group 0, position 1 (line 4): expected a number, found 'five'"},
        {"number glued to text", header + "1 0 0\n1.5x 2 3\n", "group 0, position 0 (line 3): expected a number, found '1.5x'"},
        {"nan", header + "1 0 0\n1 nan 3\n", "group 0, position 0 (line 3): 'nan' is not a finite 32-bit number"},
        {"float overflow", header + "1 0 0\n1e39 0 0\n", "group 0, position 0 (line 3): '1e39' is not a finite 32-bit number"},
        {"double plus sign", header + "1 0 0\n++1 0 0\n", "group 0, position 0 (line 3): expected a number, found '++1'"},
        {"fraction where an integer belongs", header + "12.5 0 0\n", "group 0 (line 2): expected an integer, found '12.5'"},
        {"integer overflow", header + "99999999999 0 0\n", "group 0 (line 2): '99999999999' does not fit a 32-bit integer"},
        {"unprintable bytes are escaped", header + "1 0 0\n\x01\xff 0 0\n",
         "group 0, position 0 (line 3): expected a number, found '\\x01\\xff'"},
        {"long tokens are shortened", header + "1 0 0\n" + std::string(50, 'q') + " 0 0\n",
         "group 0, position 0 (line 3): expected a number, found '" + std::string(40, 'q') + "...'"},
        {"position index out of range", oneTriangle("0 1 3\n0 1 2\n0 1 0\n1\n"),
         "group 0, triangle 0 (line 9): position index 3 out of range (group has 3 positions)"},
        {"texture-coordinate index out of range", oneTriangle("0 1 2\n0 7 2\n0 1 0\n1\n"),
         "group 0, triangle 0 (line 10): texture-coordinate index 7 out of range (group has 3 texture coordinates)"},
        {"material number zero", oneTriangle("0 1 2\n0 1 2\n0 1 0\n0\n"),
         "group 0, triangle 0 (line 12): material number 0 out of range (file has 1 materials; 100 marks an untextured group)"},
        // Long number tokens, so that the counts fit what is left and the
        // file only runs out in the middle of the triangle.
        {"truncated triangle", header + "3 3 1\n" + sixLongRows + "0 1 2\n0 1 2\n0 1",
         "group 0, triangle 0 (line 11): the file ends where a number belongs"},
        {"error in a later group and triangle",
         "0 2\n0 0 0\n3 3 2\n" + threePositions + threeTexCoords + "0 1 2\n0 1 2\n0 1 0\n100\n0 1 2\n0 1 2\n0 1 0\n7\n",
         "group 1, triangle 1 (line 17): material number 7 out of range (file has 0 materials; 100 marks an untextured group)"},
    };
}

} // namespace

TEST(KxrParser, MalformedFilesAreRefusedWithOneMessageNamingFilePlaceAndProblem)
{
    for (const Malformed& bad : malformedCases()) {
        SceneData data;
        data.groups.resize(3);  // whatever was there goes
        data.materials.resize(2);
        std::string error = "stale";
        EXPECT_FALSE(parseKxr(bad.text, "Scene/bad.kxr", data, error)) << bad.what;
        EXPECT_EQ(error, "Scene/bad.kxr: " + bad.message) << bad.what;
        EXPECT_TRUE(data.groups.empty() && data.materials.empty()) << bad.what;
    }
    // Next to them, well formed: material numbers up to the count, 100 with any
    // count, the last index; underflow (strtof gives zero).
    EXPECT_EQ(parsed(oneTriangle("2 1 0\n2 2 2\n0 1 0\n1\n")).groups[0].triangles[0].positionIndices.a, 2);
    EXPECT_EQ(parsed("0 1 3 3 1 " + threePositions + threeTexCoords + "0 1 2 0 1 2 0 1 0 100").groups[0].triangles[0].materialIndex,
              UntexturedMaterial);
    EXPECT_EQ(parsed(header + "1 0 0 1e-50 0 0").groups[0].positions[0].x, 0.0f);
}

// Each count against what the rest of the text can hold (a value takes a
// character and a separator): a text of one-character values holding exactly
// what the counts need passes the check, and the same text one value short
// fails it, naming the counts. A material is two names, a group three counts,
// a position or a texture coordinate three numbers, a triangle ten.
TEST(KxrParser, CountsAreCheckedAgainstTheTextToTheLastValue)
{
    const std::string zeros15 = "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0";
    const std::string room = " need more values than the rest of the file holds";
    const struct {
        std::string text;
        std::string error;  // empty: the text reads
    } cases[] = {
        {"2 a b c d", "group count (line 1): the file ends where an integer belongs"},
        {"2 a b c", "material count (line 1): 2 materials" + room},
        {"0 2 0 0 0 0 0 0", ""},
        {"0 2 0 0 0 0 0", "group count (line 1): 2 groups" + room},
        {"0 1 2 0 0 1 2 3 4 5 6", ""},
        {"0 1 2 0 0 1 2 3 4 5", "group 0 (line 1): 2 positions, 0 texture coordinates and 0 triangles" + room},
        {"0 1 0 2 0 1 2 3 4 5 6", ""},
        {"0 1 0 2 0 1 2 3 4 5", "group 0 (line 1): 0 positions, 2 texture coordinates and 0 triangles" + room},
        {"1 a b 1 1 1 1 " + zeros15 + " 1", ""},
        {"1 a b 1 1 1 1 " + zeros15, "group 0 (line 1): 1 positions, 1 texture coordinates and 1 triangles" + room},
    };
    for (const auto& c : cases) {
        SceneData data;
        std::string error;
        EXPECT_EQ(parseKxr(c.text, "Scene/edge.kxr", data, error), c.error.empty()) << c.text;
        EXPECT_EQ(error, c.error.empty() ? "" : "Scene/edge.kxr: " + c.error) << c.text;
    }
}
