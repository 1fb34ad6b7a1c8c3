#include "gfx/Texture.h"

#include "gfx/RegularFile.h"
#include "gfx/TgaHeader.h"

#include <SDL.h>
#include <SDL_image.h>

#include <GL/gl.h>

#include <cstring>
#include <string>
#include <strings.h>

namespace {

bool fitsTexture(int width, int height) {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    return width <= largest && height <= largest;
}

// The type SDL_image is told to read, taken from the path as IMG_Load takes it:
// a TGA has no signature to be recognised by.
std::string imageType(const char* path) {
    const char* dot = std::strrchr(path, '.');
    return dot != nullptr ? dot + 1 : "";
}

// Decodes an image from a regular file only. A TGA's header is checked before
// decoding, against the file's size and the largest texture OpenGL takes, since
// SDL_image makes an image of whatever size a header claims; every format is held
// to the largest texture once decoded.
SDL_Surface* readImage(const char* path) {
    RegularFile file(path);
    if (!file.isOpen()) {
        return nullptr;
    }
    std::string type = imageType(path);
    if (strcasecmp(type.c_str(), "tga") == 0) {
        const std::optional<TgaHeader> header = readTgaHeader(file.stream());
        if (!header || !header->fitsInFile(file.size()) ||
            !fitsTexture(header->width, header->height)) {
            return nullptr;
        }
    }
#ifdef __EMSCRIPTEN__
    // The browser's SDL_image reads images by file name only.
    SDL_Surface* image = IMG_Load(path);
#else
    SDL_RWops* source = SDL_RWFromFP(file.stream(), 1);
    if (source == nullptr) {
        return nullptr;
    }
    file.release();
    SDL_Surface* image = IMG_LoadTyped_RW(source, 1, type.data());
#endif
    if (image != nullptr && !fitsTexture(image->w, image->h)) {
        SDL_FreeSurface(image);
        return nullptr;
    }
    return image;
}

} // namespace

Texture::~Texture() {
    release();
}

void Texture::release() {
    if (loaded) {
        const GLuint name = id;
        glDeleteTextures(1, &name);
        loaded = false;
    }
}

bool Texture::load(const char* path) {
    SDL_Surface* image = readImage(path);
    if (image == nullptr) {
        return false;
    }
    const int w = image->w;
    const int h = image->h;

#ifdef __EMSCRIPTEN__
    // The browser's SDL_image hands over red, green, blue, alpha bytes, ready
    // without locking (locking them crashes once OpenGL is on), and cannot blit
    // them, having dropped the canvas a blit draws from: they go up as they are.
    upload(w, h, image->pixels);
    SDL_FreeSurface(image);
    return true;
#else
    // Bytes in memory run red, green, blue, alpha whatever the host's byte order,
    // which is what GL_RGBA with GL_UNSIGNED_BYTE expects.
    const Uint32 redMask = SDL_BYTEORDER == SDL_LIL_ENDIAN ? 0x000000FF : 0xFF000000;
    const Uint32 greenMask = SDL_BYTEORDER == SDL_LIL_ENDIAN ? 0x0000FF00 : 0x00FF0000;
    const Uint32 blueMask = SDL_BYTEORDER == SDL_LIL_ENDIAN ? 0x00FF0000 : 0x0000FF00;
    const Uint32 alphaMask = SDL_BYTEORDER == SDL_LIL_ENDIAN ? 0xFF000000 : 0x000000FF;
    SDL_Surface* rgba =
        SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, redMask, greenMask, blueMask, alphaMask);
    if (rgba == nullptr) {
        SDL_FreeSurface(image);
        return false;
    }

    // Without this the blit would blend the image onto the empty surface
    // instead of copying its alpha; an image without alpha comes out opaque.
    SDL_SetAlpha(image, 0, 0);
    SDL_Rect whole = {0, 0, static_cast<Uint16>(w), static_cast<Uint16>(h)};
    SDL_UpperBlit(image, &whole, rgba, &whole);
    upload(w, h, rgba->pixels);
    SDL_FreeSurface(rgba);
    SDL_FreeSurface(image);
    return true;
#endif
}

void Texture::upload(int w, int h, const void* pixels) {
    release();
    GLuint name = 0;
    glGenTextures(1, &name);
    id = name;
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    // The image goes up at its own size: no padding or scaling to powers of two.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    loaded = true;
}
