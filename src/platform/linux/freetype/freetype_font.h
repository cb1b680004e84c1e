#pragma once

#include "platform/platform.h"
#include "platform/linux/freetype/font_face_lookup.h"

namespace platform {

// A font from a file chosen by the caller rather than by face name; one whose
// file cannot be read gives lists that draw nothing.
Font* createFontFromFile(const FontFaceFile& face, int height);

} // namespace platform
