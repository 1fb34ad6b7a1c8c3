#include "gfx/Texture.h"

#include <SDL.h>
#include <SDL_image.h>

#include <GL/gl.h>

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
    SDL_Surface* image = IMG_Load(path);
    if (image == nullptr) {
        return false;
    }
    const int w = image->w;
    const int h = image->h;

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
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba->pixels);

    SDL_FreeSurface(rgba);
    SDL_FreeSurface(image);
    loaded = true;
    width = static_cast<float>(w);
    height = static_cast<float>(h);
    return true;
}
