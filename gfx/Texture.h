#ifndef ORBICASCADE_GFX_TEXTURE_H
#define ORBICASCADE_GFX_TEXTURE_H

// One image file turned into one OpenGL texture, whose name it owns.
class Texture {
public:
    Texture() = default;
    ~Texture();

    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    // Reads the image and uploads it as RGBA at its own size, keeping its alpha
    // (opaque when it has none). Needs the OpenGL context; leaves the texture
    // bound. A second successful load replaces the first texture. Fails, making
    // no texture, for anything but a regular file, for a TGA whose header claims
    // more pixels than its file could hold, and for an image with a side beyond
    // the largest texture OpenGL takes.
    bool load(const char* path);

    unsigned getId() const { return id; }

private:
    void release();
    // Makes the texture from w by h pixels of red, green, blue, alpha bytes.
    void upload(int w, int h, const void* pixels);

    unsigned id = 0;
    bool loaded = false;
};

#endif
