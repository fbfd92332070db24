#include "config.h"

#include "key_table.h"

unsigned char* g_keys = nullptr;
unsigned char g_keyPresses[kKeyCount] = {};
int g_screenWidth = 1024;
int g_screenHeight = 768;
int g_colorBits = 16;
bool g_fullscreen = true;
int g_textureFilter = 2;
bool g_endOnInput = false;
