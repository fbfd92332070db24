#include "renderer_fixture.h"

#include "scene/scene.h"
#include "textures/builtin_scripts.h"
#include "textures/texture.h"
#include "textures/texture_generator.h"
#include "textures/texture_set.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

GLint Parameter(GLenum name)
{
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

GLint LevelWidth(GLint level)
{
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
    return width;
}

GLuint Bound()
{
    GLint name = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
    return static_cast<GLuint>(name);
}

TextureImage* GreyImage()
{
    TextureImage* image = new TextureImage;
    image->width = image->height = 256;
    image->pixels = new unsigned char[256 * 256 * 3];
    std::memset(image->pixels, 128, 256 * 256 * 3);
    return image;
}

} // namespace

class TextureTest : public RendererFixture {
protected:
    void SetUp() override
    {
        RendererFixture::SetUp();
        m_window.reset(new GLWindow("LunaquillVC", 1024, 768, 16, false));
    }
    void TearDown() override
    {
        g_textureFilter = 2;
        m_window.reset();
        RendererFixture::TearDown();
    }
    std::unique_ptr<GLWindow> m_window;
};

TEST_F(TextureTest, SceneBuildsTheFiveTexturesAndFreesThem)
{
    g_textureFilter = 2;
    InitScene();
    Texture* set[] = {g_texture1, g_texture2, g_texture3, g_texture4, g_texture5};
    GLuint names[5];
    TextureGenerator generator;
    std::vector<unsigned char> uploaded(256 * 256 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    for (int i = 0; i < 5; ++i) {
        ASSERT_NE(nullptr, set[i]) << "texture " << i + 1;
        names[i] = set[i]->Name();
        EXPECT_TRUE(glIsTexture(names[i]));
        set[i]->Bind();
        EXPECT_EQ(names[i], Bound());
        const bool mipmapped = i != 2;
        EXPECT_EQ(mipmapped ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR, Parameter(GL_TEXTURE_MIN_FILTER)) << i + 1;
        EXPECT_EQ(GL_LINEAR, Parameter(GL_TEXTURE_MAG_FILTER));
        EXPECT_EQ(GL_REPEAT, Parameter(GL_TEXTURE_WRAP_S));
        EXPECT_EQ(GL_REPEAT, Parameter(GL_TEXTURE_WRAP_T));
        EXPECT_EQ(256, LevelWidth(0));
        EXPECT_EQ(mipmapped ? 1 : 0, LevelWidth(8)) << "texture " << i + 1 << ": full mipmap chain or none";

        // What OpenGL holds is exactly what the interpreter computed.
        const unsigned char* script = BuiltinScript(i + 1);
        generator.Run(script, ScriptSize(script));
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, uploaded.data());
        EXPECT_EQ(0, std::memcmp(uploaded.data(), generator.Layer(0), uploaded.size())) << "texture " << i + 1;
    }
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));

    TermScene();
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(glIsTexture(names[i])) << "texture " << i + 1 << " not deleted";
    EXPECT_EQ(nullptr, g_texture1);
    FreeTextures();  // a second call frees nothing twice
}

TEST_F(TextureTest, FilterModesDecideFiltersAndMipmaps)
{
    struct Case {
        int mode;
        bool mipmap;
        GLint minFilter, magFilter, level1Width;
    } cases[] = {
        {0, true, GL_NEAREST, GL_NEAREST, 0},
        {1, true, GL_LINEAR, GL_LINEAR, 0},
        {2, true, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR, 128},
        {2, false, GL_LINEAR, GL_LINEAR, 0},
        {7, true, GL_NEAREST_MIPMAP_LINEAR, GL_LINEAR, 0},  // left at OpenGL's defaults
    };
    for (const Case& c : cases) {
        g_textureFilter = c.mode;
        Texture texture(GreyImage(), c.mipmap);
        EXPECT_EQ(texture.Name(), Bound()) << "the new texture stays bound";
        EXPECT_EQ(c.minFilter, Parameter(GL_TEXTURE_MIN_FILTER)) << "mode " << c.mode;
        EXPECT_EQ(c.magFilter, Parameter(GL_TEXTURE_MAG_FILTER)) << "mode " << c.mode;
        EXPECT_EQ(GL_REPEAT, Parameter(GL_TEXTURE_WRAP_S));
        EXPECT_EQ(c.level1Width, LevelWidth(1)) << "mode " << c.mode << " mipmap " << c.mipmap;
    }
}
