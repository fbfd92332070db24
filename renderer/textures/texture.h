// A texture image on its way to OpenGL, and the OpenGL texture made from it.
#pragma once

#include "gl_api.h"

struct TextureImage {
    int width;
    int height;
    GLenum format;           // GL_RGB, also the internal format
    unsigned char* pixels;   // width * height * 3 bytes, row 0 first
};

class Texture {
public:
    // Uploads the image with the filters of g_textureFilter and takes ownership of it (image and
    // pixels are freed once uploaded). The texture stays bound.
    Texture(TextureImage* image, bool mipmap);
    ~Texture();  // needs the rendering context current

    void Bind();
    GLuint Name() const { return m_name; }

private:
    Texture(const Texture&);
    Texture& operator=(const Texture&);

    GLuint m_name;
};
