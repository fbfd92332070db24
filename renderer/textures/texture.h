// The OpenGL texture made from a texture image.
#pragma once

#include "texture_image.h"

#include "gl_api.h"

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
