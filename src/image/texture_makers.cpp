#include "image/texture_makers.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>

#include "image/dib_image.h"
#include "platform/platform.h"

namespace {

// The demo cannot run with a texture missing; the decoder has said why.
std::unique_ptr<DibImage> decodeOrExit(const char* fileName)
{
    std::unique_ptr<DibImage> image = loadDibImage(fileName);
    if (!image)
        std::exit(1);
    return image;
}

// Decoded rows are tightly packed, but GL assumes rows padded to 4 bytes
// unless told otherwise: any RGB picture whose width is not a multiple of 4
// would be read skewed and past its end. The caller's setting is put back.
class TightUnpacking {
public:
    TightUnpacking()
    {
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &previous_);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    }
    ~TightUnpacking() { glPixelStorei(GL_UNPACK_ALIGNMENT, previous_); }
    TightUnpacking(const TightUnpacking&) = delete;
    TightUnpacking& operator=(const TightUnpacking&) = delete;

private:
    GLint previous_ = 4;
};

// Telling the driver before the upload that the texture will be sampled
// with mipmaps lets it lay out the whole chain with the first level, instead
// of storing the levels one by one and copying them together at the first
// draw: a third of the fresh memory a texture otherwise costs at start-up.
void announceMipmaps()
{
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
}

void setMipmapFilters()
{
    announceMipmaps();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

} // namespace

void loadTexture(GLuint* names, const char* fileName, int index)
{
    if (!fileName)
        return;
    std::unique_ptr<DibImage> image = decodeOrExit(fileName);
    glGenTextures(1, &names[index]);
    glBindTexture(GL_TEXTURE_2D, names[index]);
    {
        TightUnpacking unpacking;
        announceMipmaps();
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image->width, image->height, GL_RGB, GL_UNSIGNED_BYTE,
                          image->data.data());
    }
    setMipmapFilters();
}

void loadColorKeyTexture(GLuint* names, const char* fileName, int index)
{
    if (!fileName)
        return;
    std::unique_ptr<DibImage> image = decodeOrExit(fileName);
    glGenTextures(1, &names[index]);

    const size_t pixels = static_cast<size_t>(image->width) * static_cast<size_t>(image->height);
    std::unique_ptr<uint8_t[]> rgba(new (std::nothrow) uint8_t[pixels * 4]);
    if (!rgba) {
        platform::showError("Out of memory.");
        std::exit(1);
    }
    const uint8_t* src = image->data.data();
    uint8_t* dst = rgba.get();
    for (size_t i = 0; i < pixels; ++i, src += 3, dst += 4) {
        dst[0] = src[0];
        dst[1] = src[1];
        dst[2] = src[2];
        dst[3] = (src[0] | src[1] | src[2]) == 0 ? 0 : 255;
    }

    glBindTexture(GL_TEXTURE_2D, names[index]);
    announceMipmaps();
    gluBuild2DMipmaps(GL_TEXTURE_2D, 4, image->width, image->height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.get());
    setMipmapFilters();
}

void loadCubeMapFace(GLuint* names, const char* fileName, int index, GLenum face)
{
    glBindTexture(GL_TEXTURE_CUBE_MAP, names[index]);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
    if (!fileName)
        return;
    std::unique_ptr<DibImage> image = decodeOrExit(fileName);
    TightUnpacking unpacking;
    glTexImage2D(face, 0, GL_RGB, image->width, image->height, 0, GL_RGB, GL_UNSIGNED_BYTE, image->data.data());
}
