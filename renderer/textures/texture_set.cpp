#include "texture_set.h"

#include "builtin_scripts.h"
#include "texture.h"
#include "texture_generator.h"

#include <new>

Texture* g_texture1 = nullptr;
Texture* g_texture2 = nullptr;
Texture* g_texture3 = nullptr;
Texture* g_texture4 = nullptr;
Texture* g_texture5 = nullptr;

namespace {

// A built-in script's texture, or null when no memory is left for it.
Texture* Build(TextureGenerator& generator, const unsigned char* script, bool mipmap)
{
    TextureImage* image = generator.Image(script);
    if (!image)
        return nullptr;
    Texture* texture = new (std::nothrow) Texture(image, mipmap);
    if (!texture) {
        delete[] image->pixels;
        delete image;
    }
    return texture;
}

} // namespace

void BuildTextures()
{
    TextureGenerator* generator = new TextureGenerator;
    g_texture1 = Build(*generator, g_script1, true);
    g_texture2 = Build(*generator, g_script2, true);
    g_texture3 = Build(*generator, g_script3, false);
    g_texture4 = Build(*generator, g_script4, true);
    g_texture5 = Build(*generator, g_script5, true);
    delete generator;
}

void FreeTextures()
{
    // Cleared as they go, so a second call (or a later BuildTextures failing) never frees twice.
    Texture** textures[] = {&g_texture1, &g_texture2, &g_texture3, &g_texture4, &g_texture5};
    for (Texture** texture : textures) {
        delete *texture;
        *texture = nullptr;
    }
}
