#include "scene/kxr_parser.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// The characters formatted input skips between values.
struct SpaceTable {
    bool space[256] = {};
    constexpr SpaceTable()
    {
        for (unsigned char c : {' ', '\t', '\n', '\v', '\f', '\r'})
            space[c] = true;
    }
};
constexpr SpaceTable spaceTable;

inline bool isSpace(char c) { return spaceTable.space[static_cast<unsigned char>(c)]; }

enum class TokenStatus { Ok, End, Malformed, TooLarge, NonFinite };

// Where a value sits in the file, for messages; materials are counted from 1
// as the triangles' material numbers count them, everything else from 0 as
// the file's indices do.
struct Place {
    enum Kind { MaterialCount, Material, GroupCount, GroupHeader, Position, TexCoord, Triangle } kind;
    int32_t group = 0;
    int32_t item = 0;
};

std::string describe(Place place)
{
    const std::string group = "group " + std::to_string(place.group);
    switch (place.kind) {
    case Place::MaterialCount: return "material count";
    case Place::Material: return "material " + std::to_string(place.item);
    case Place::GroupCount: return "group count";
    case Place::GroupHeader: return group;
    case Place::Position: return group + ", position " + std::to_string(place.item);
    case Place::TexCoord: return group + ", texture coordinate " + std::to_string(place.item);
    case Place::Triangle: return group + ", triangle " + std::to_string(place.item);
    }
    return {};
}

class KxrReader {
public:
    KxrReader(std::string_view text, const char* fileName, std::string& error)
        : begin_(text.data()), p_(text.data()), end_(text.data() + text.size()),
          fileName_(fileName ? fileName : ""), error_(error)
    {
    }

    bool read(SceneData& data);

private:
    const char* begin_;
    const char* p_;
    const char* end_;
    const char* token_ = nullptr;  // start of the token read last
    const char* fileName_;
    std::string& error_;

    void skipSpace()
    {
        while (p_ != end_ && isSpace(*p_))
            ++p_;
    }

    const char* tokenEnd(const char* from) const
    {
        while (from != end_ && !isSpace(*from))
            ++from;
        return from;
    }

    bool endsToken(const char* at) const { return at == end_ || isSpace(*at); }

    // The most values the rest of the text can still hold: every value takes at
    // least one character and is separated from the previous one.
    int64_t valuesLeft() const { return (static_cast<int64_t>(end_ - p_) + 1) / 2; }

    // "%d" on one whole token: optional sign, decimal digits. Hand-written
    // because it is the most frequent token and from_chars takes no '+'.
    TokenStatus scanInt(int32_t& value)
    {
        skipSpace();
        token_ = p_;
        if (p_ == end_)
            return TokenStatus::End;
        const char* c = p_;
        const bool negative = *c == '-';
        if (*c == '-' || *c == '+')
            ++c;
        const char* digits = c;
        constexpr uint64_t limit = uint64_t{1} << 31;  // magnitude of INT32_MIN
        uint64_t magnitude = 0;
        while (c != end_ && static_cast<unsigned char>(*c - '0') < 10) {
            magnitude = std::min(magnitude * 10 + static_cast<unsigned>(*c - '0'), limit + 1);
            ++c;
        }
        if (c == digits || !endsToken(c))
            return TokenStatus::Malformed;
        if (magnitude > (negative ? limit : limit - 1))
            return TokenStatus::TooLarge;
        value = static_cast<int32_t>(negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude));
        p_ = c;
        return TokenStatus::Ok;
    }

    TokenStatus scanFloat(float& value)
    {
        skipSpace();
        token_ = p_;
        if (p_ == end_)
            return TokenStatus::End;
        const char* digits = p_;
        if (*digits == '+' && digits + 1 != end_ && digits[1] != '-' && digits[1] != '+')
            ++digits;
        const auto [next, ec] = std::from_chars(digits, end_, value);
        if (ec == std::errc() && endsToken(next)) {
            if (!std::isfinite(value))
                return TokenStatus::NonFinite;
            p_ = next;
            return TokenStatus::Ok;
        }
        return scanFloatSlowly(value);
    }

    // Forms from_chars leaves to strtof (hexadecimal, values that round to zero
    // or overflow) and anything malformed: strtof decides on the whole token.
    TokenStatus scanFloatSlowly(float& value)
    {
        const char* end = tokenEnd(p_);
        const size_t length = static_cast<size_t>(end - p_);
        char small[128];
        std::string large;
        char* text = small;
        if (length < sizeof small) {
            std::memcpy(small, p_, length);
            small[length] = '\0';
        } else {
            large.assign(p_, length);
            text = large.data();
        }
        // The process stays in the "C" locale (nothing calls setlocale), so
        // strtof reads the file's '.' as the decimal point, as the waypoint
        // reader's does.
        char* parsedEnd = nullptr;
        const float parsed = std::strtof(text, &parsedEnd);
        if (parsedEnd != text + length || length == 0)
            return TokenStatus::Malformed;
        if (!std::isfinite(parsed))
            return TokenStatus::NonFinite;
        value = parsed;
        p_ = end;
        return TokenStatus::Ok;
    }

    bool readInt(int32_t& value, Place place)
    {
        const TokenStatus status = scanInt(value);
        return status == TokenStatus::Ok || failToken(status, place, "an integer");
    }

    bool readFloat(float& value, Place place)
    {
        const TokenStatus status = scanFloat(value);
        return status == TokenStatus::Ok || failToken(status, place, "a number");
    }

    bool readName(std::string& name, Place place, const char* which)
    {
        skipSpace();
        token_ = p_;
        if (p_ == end_)
            return fail(place, std::string("the file ends where the ") + which + " texture name belongs");
        const char* end = tokenEnd(p_);
        const size_t length = static_cast<size_t>(end - p_);
        if (length > MaxTextureNameLength)
            return fail(place, std::string("the ") + which + " texture name has " + std::to_string(length)
                                   + " characters (at most " + std::to_string(MaxTextureNameLength) + ")");
        if (std::memchr(p_, '\0', length))
            return fail(place, std::string("the ") + which + " texture name holds a zero byte");
        name.assign(p_, length);
        p_ = end;
        return true;
    }

    bool readCount(int32_t& count, Place place, const char* what)
    {
        if (!readInt(count, place))
            return false;
        if (count < 0)
            return fail(place, std::string(what) + " " + std::to_string(count) + " is negative");
        return true;
    }

    bool roomFor(int64_t values) const { return values <= valuesLeft(); }

    bool failNoRoom(Place place, const std::string& what)
    {
        return fail(place, what + " need more values than the rest of the file holds");
    }

    // The count of a list of records, each of `values` values at least.
    bool readRecordCount(int32_t& count, Place place, const char* what, const char* records, int values)
    {
        if (!readCount(count, place, what))
            return false;
        return roomFor(int64_t{values} * count) || failNoRoom(place, std::to_string(count) + " " + records);
    }

    bool checkIndex(int32_t index, size_t count, Place place, const char* what, const char* items)
    {
        if (static_cast<uint32_t>(index) < count)  // negative indices wrap far beyond any count
            return true;
        return indexOutOfRange(index, count, place, what, items);
    }

    bool indexOutOfRange(int32_t index, size_t count, Place place, const char* what, const char* items);
    bool failToken(TokenStatus status, Place place, const char* expected);
    bool fail(Place place, const std::string& problem);
    std::string quotedToken() const;

    bool readMaterials(SceneData& data);
    bool readGroup(SceneData& data, int32_t g);
    bool readTriangle(MeshGroup& group, Place place, int32_t materialCount, MeshTriangle& triangle);
};

std::string KxrReader::quotedToken() const
{
    constexpr size_t shown = 40;
    const char* end = tokenEnd(token_);
    std::string text = "'";
    for (const char* c = token_; c != end && c != token_ + shown; ++c) {
        const unsigned char byte = static_cast<unsigned char>(*c);
        if (byte >= 0x20 && byte < 0x7f) {
            text += *c;
        } else {
            static const char hex[] = "0123456789abcdef";
            text += "\\x";
            text += hex[byte >> 4];
            text += hex[byte & 15];
        }
    }
    if (end - token_ > static_cast<std::ptrdiff_t>(shown))
        text += "...";
    return text + "'";
}

bool KxrReader::indexOutOfRange(int32_t index, size_t count, Place place, const char* what, const char* items)
{
    return fail(place, std::string(what) + " index " + std::to_string(index) + " out of range (group has "
                           + std::to_string(count) + " " + items + ")");
}

bool KxrReader::failToken(TokenStatus status, Place place, const char* expected)
{
    switch (status) {
    case TokenStatus::End:
        return fail(place, std::string("the file ends where ") + expected + " belongs");
    case TokenStatus::TooLarge:
        return fail(place, quotedToken() + " does not fit a 32-bit integer");
    case TokenStatus::NonFinite:
        return fail(place, quotedToken() + " is not a finite 32-bit number");
    case TokenStatus::Malformed:
    case TokenStatus::Ok:
        break;
    }
    return fail(place, std::string("expected ") + expected + ", found " + quotedToken());
}

bool KxrReader::fail(Place place, const std::string& problem)
{
    const char* at = token_ ? token_ : p_;
    const long line = 1 + std::count(begin_, at, '\n');
    error_ = std::string(fileName_) + ": " + describe(place) + " (line " + std::to_string(line) + "): " + problem;
    return false;
}

// Lists grow as their records are read, never to what a count claims: a
// count is only bounded by the rest of the text, and a record in memory is
// many times larger than the least text that can stand for it.
bool KxrReader::readMaterials(SceneData& data)
{
    int32_t count = 0;
    if (!readRecordCount(count, {Place::MaterialCount}, "material count", "materials", 2))
        return false;
    for (int32_t i = 0; i < count; ++i) {
        const Place place{Place::Material, 0, i + 1};
        MaterialNames& names = data.materials.emplace_back();
        if (!readName(names.base, place, "base") || !readName(names.normal, place, "normal"))
            return false;
    }
    return true;
}

bool KxrReader::readTriangle(MeshGroup& group, Place place, int32_t materialCount, MeshTriangle& triangle)
{
    const size_t positions = group.positions.size();
    const size_t texCoords = group.texCoords.size();
    IndexTriple& p = triangle.positionIndices;
    IndexTriple& q = triangle.texCoordIndices;
    if (!readInt(p.a, place) || !checkIndex(p.a, positions, place, "position", "positions")
        || !readInt(p.b, place) || !checkIndex(p.b, positions, place, "position", "positions")
        || !readInt(p.c, place) || !checkIndex(p.c, positions, place, "position", "positions"))
        return false;
    if (!readInt(q.a, place) || !checkIndex(q.a, texCoords, place, "texture-coordinate", "texture coordinates")
        || !readInt(q.b, place) || !checkIndex(q.b, texCoords, place, "texture-coordinate", "texture coordinates")
        || !readInt(q.c, place) || !checkIndex(q.c, texCoords, place, "texture-coordinate", "texture coordinates"))
        return false;
    float x, y, z;
    if (!readFloat(x, place) || !readFloat(y, place) || !readFloat(z, place))
        return false;
    triangle.normal = {x, y, -z};

    int32_t material = 0;
    if (!readInt(material, place))
        return false;
    if (material == UntexturedMaterial + 1) {
        triangle.materialIndex = UntexturedMaterial;
    } else if (material >= 1 && material <= materialCount) {
        triangle.materialIndex = material - 1;
    } else {
        return fail(place, "material number " + std::to_string(material) + " out of range (file has "
                               + std::to_string(materialCount) + " materials; 100 marks an untextured group)");
    }
    return true;
}

bool KxrReader::readGroup(SceneData& data, int32_t g)
{
    const Place header{Place::GroupHeader, g};
    int32_t positionCount = 0, texCoordCount = 0, triangleCount = 0;
    if (!readCount(positionCount, header, "position count") || !readCount(texCoordCount, header, "texture-coordinate count")
        || !readCount(triangleCount, header, "triangle count"))
        return false;
    const int64_t values = int64_t{3} * positionCount + int64_t{3} * texCoordCount + int64_t{10} * triangleCount;
    if (!roomFor(values))
        return failNoRoom(header, std::to_string(positionCount) + " positions, " + std::to_string(texCoordCount)
                                      + " texture coordinates and " + std::to_string(triangleCount) + " triangles");

    MeshGroup& group = data.groups.emplace_back();
    // Within a group the records are small next to their text (a position at
    // most twice, a triangle about three times), so room is made up front.
    group.positions.reserve(static_cast<size_t>(positionCount));
    group.texCoords.reserve(static_cast<size_t>(texCoordCount));
    group.triangles.reserve(static_cast<size_t>(triangleCount));
    for (int32_t i = 0; i < positionCount; ++i) {
        const Place place{Place::Position, g, i};
        float x, y, z;
        if (!readFloat(x, place) || !readFloat(y, place) || !readFloat(z, place))
            return false;
        // The file's units and handedness become the scene's: z is negated,
        // then every component scaled by the float 0.01.
        group.positions.push_back({x * 0.01f, y * 0.01f, -z * 0.01f});
    }

    for (int32_t i = 0; i < texCoordCount; ++i) {
        const Place place{Place::TexCoord, g, i};
        float s, r, t;  // stored in the file in this order
        if (!readFloat(s, place) || !readFloat(r, place) || !readFloat(t, place))
            return false;
        group.texCoords.push_back({s, t, r});
    }

    const int32_t materialCount = static_cast<int32_t>(data.materials.size());
    for (int32_t i = 0; i < triangleCount; ++i) {
        MeshTriangle triangle;
        if (!readTriangle(group, {Place::Triangle, g, i}, materialCount, triangle))
            return false;
        group.triangles.push_back(triangle);
    }
    return true;
}

bool KxrReader::read(SceneData& data)
{
    if (!readMaterials(data))
        return false;
    int32_t groupCount = 0;
    if (!readRecordCount(groupCount, {Place::GroupCount}, "group count", "groups", 3))
        return false;
    for (int32_t g = 0; g < groupCount; ++g) {
        if (!readGroup(data, g))
            return false;
    }
    return true;
}

} // namespace

bool parseKxr(std::string_view text, const char* fileName, SceneData& data, std::string& error)
{
    data = SceneData();
    error.clear();
    KxrReader reader(text, fileName, error);
    if (reader.read(data))
        return true;
    data = SceneData();
    return false;
}
