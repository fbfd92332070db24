// The renderer's fixed configuration and its key table, set once by the entry point.
#pragma once

extern unsigned char* g_keys;   // kKeyCount bytes, see key_table.h
extern unsigned char g_keyPresses[];  // kKeyCount bytes: pressed since KeepRunning last looked
extern int g_screenWidth;
extern int g_screenHeight;
extern int g_colorBits;
extern bool g_fullscreen;
extern int g_textureFilter;     // 0 nearest, 1 linear, 2 linear with mipmaps
extern bool g_endOnInput;        // any key, button, touch or real mouse move ends the show
