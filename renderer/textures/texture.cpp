#include "texture.h"

#include "texture_generator.h"
#include "common/config.h"

#include "gl_api.h"

Texture::Texture(TextureImage* image, bool mipmap) : m_name(0)
{
    glGenTextures(1, &m_name);
    glBindTexture(GL_TEXTURE_2D, m_name);

    const bool buildMipmaps = g_textureFilter == 2 && mipmap;
    switch (g_textureFilter) {
    case 0:
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        break;
    case 1:
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        break;
    case 2:
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, mipmap ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        break;
    default:
        break;  // OpenGL's defaults
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);

    if (buildMipmaps)
        gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, image->width, image->height, GL_RGB,
                          GL_UNSIGNED_BYTE, image->pixels);
    else
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, image->width, image->height, 0, GL_RGB,
                     GL_UNSIGNED_BYTE, image->pixels);

    delete[] image->pixels;
    delete image;
}

Texture::~Texture()
{
    glDeleteTextures(1, &m_name);
}

void Texture::Bind()
{
    glBindTexture(GL_TEXTURE_2D, m_name);
}
