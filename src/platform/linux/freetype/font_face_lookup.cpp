#include "platform/linux/freetype/font_face_lookup.h"

#include <memory>
#include <strings.h>

namespace {

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

Pattern matchBold(const char* family, FcConfig* config)
{
    Pattern request(FcPatternCreate());
    if (!request)
        return nullptr;
    FcPatternAddString(request.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(request.get(), FC_WEIGHT, FC_WEIGHT_BOLD);
    FcPatternAddBool(request.get(), FC_SCALABLE, FcTrue);
    if (!FcConfigSubstitute(config, request.get(), FcMatchPattern))
        return nullptr;
    FcDefaultSubstitute(request.get());
    FcResult result = FcResultNoMatch;
    Pattern match(FcFontMatch(config, request.get(), &result));
    if (!match || result != FcResultMatch)
        return nullptr;
    FcChar8* file = nullptr;
    if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || !file || !*file)
        return nullptr;
    return match;
}

bool hasFamily(const FcPattern* match, const char* family)
{
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
        if (strcasecmp(reinterpret_cast<const char*>(name), family) == 0)
            return true;
    }
    return false;
}

bool isMonospace(const FcPattern* match)
{
    int spacing = FC_PROPORTIONAL;
    return FcPatternGetInteger(match, FC_SPACING, 0, &spacing) == FcResultMatch && spacing >= FC_MONO;
}

void describe(const FcPattern* match, FontFaceFile& face)
{
    FcChar8* file = nullptr;
    FcPatternGetString(match, FC_FILE, 0, &file);
    face.path = reinterpret_cast<const char*>(file);
    face.index = 0;
    FcPatternGetInteger(match, FC_INDEX, 0, &face.index);
    int weight = FC_WEIGHT_REGULAR;
    FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
    FcBool embolden = FcFalse;
    FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden);
    face.embolden = embolden == FcTrue || weight < FC_WEIGHT_DEMIBOLD;
}

} // namespace

bool findBoldFontFace(const char* faceName, FontFaceFile& face, FcConfig* config)
{
    const char* family = faceName && *faceName ? faceName : "monospace";
    Pattern match = matchBold(family, config);
    if (!match || (!hasFamily(match.get(), family) && !isMonospace(match.get()))) {
        Pattern monospace = matchBold("monospace", config);
        if (monospace)
            match = std::move(monospace);
    }
    if (!match)
        return false;
    describe(match.get(), face);
    return true;
}
