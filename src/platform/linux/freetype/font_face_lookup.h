#pragma once

#include <string>

#include <fontconfig/fontconfig.h>

// A font file chosen for a face name, as the font rasterizer opens it.
struct FontFaceFile {
    std::string path;
    int index = 0;          // face within a collection file
    bool embolden = false;  // the file has no bold weight: thicken the glyphs ourselves
};

// Finds the bold cut of `faceName` through fontconfig. Fontconfig's aliases
// stand in for faces that aren't installed (Courier New becomes its metric
// twin Liberation Mono); when what it offers is neither the named family nor
// monospaced, the bold monospace face is taken instead, so overlay text stays
// readable and aligned. False only when fontconfig offers no font file at all.
// `config` null means the system's configuration.
bool findBoldFontFace(const char* faceName, FontFaceFile& face, FcConfig* config = nullptr);
