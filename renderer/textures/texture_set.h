// The renderer's five textures, built once at scene start and freed at scene end.
#pragma once

class Texture;

extern Texture* g_texture1;  // ribbons
extern Texture* g_texture2;
extern Texture* g_texture3;
extern Texture* g_texture4;  // cylinders
extern Texture* g_texture5;

void BuildTextures();  // needs the rendering context current
void FreeTextures();
