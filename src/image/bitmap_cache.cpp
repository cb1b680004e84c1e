#include "image/bitmap_cache.h"

namespace {

BitmapCacheScope* innermostScope = nullptr;

} // namespace

BitmapCacheScope::BitmapCacheScope() : outer_(innermostScope)
{
    innermostScope = this;
}

BitmapCacheScope::~BitmapCacheScope()
{
    innermostScope = outer_;
}

std::shared_ptr<const DibImage> loadDibImageOnce(const char* fileName)
{
    if (!innermostScope || !fileName)
        return loadDibImage(fileName);
    auto& images = innermostScope->images_;
    const auto found = images.find(fileName);
    if (found != images.end())
        return found->second;
    std::shared_ptr<const DibImage> image = loadDibImage(fileName);
    if (image)
        images.emplace(fileName, image);
    return image;
}
