#pragma once

#include <map>
#include <memory>
#include <string>

#include "image/dib_image.h"

// Start-up names many bitmaps more than once: every scene file asks for the
// two detail maps, the scenery and its mirrored copy share their materials,
// and the sky cube map repeats six of the sky pictures. While a
// BitmapCacheScope is alive, the texture makers decode each file once and
// hand the same pixels to every texture made from it; each texture object is
// still made on its own. Outside a scope every call decodes afresh.
class BitmapCacheScope {
public:
    BitmapCacheScope();
    ~BitmapCacheScope();
    BitmapCacheScope(const BitmapCacheScope&) = delete;
    BitmapCacheScope& operator=(const BitmapCacheScope&) = delete;

private:
    std::map<std::string, std::shared_ptr<const DibImage>> images_;
    BitmapCacheScope* outer_;

    friend std::shared_ptr<const DibImage> loadDibImageOnce(const char* fileName);
};

// The decoded bitmap, from the innermost live scope if it decoded the same
// name before; null (after the decoder's message) if it cannot be decoded.
std::shared_ptr<const DibImage> loadDibImageOnce(const char* fileName);
