#include "builtin_scripts.h"

// Opcodes: 0x03 RadialSpot, 0x11 Brightness, 0x12 ColourRamp, 0x13 Greyscale, 0x21 Shift, 0x22 SineWarp.
// Columns: opcode, P0 (layer << 4 | channel), P1..P6, P7 (seed).

const unsigned char g_script1[] = {
    5,
    0x03, 0, 255, 0, 0, 0, 0, 0, 0,
    0x03, 1, 255, 0, 0, 0, 0, 0, 0,
    0x03, 2, 255, 0, 0, 0, 0, 0, 0,
    0x12, 0, 5, 0, 0, 0, 0, 0, 0,
    0x22, 0, 2, 1, 32, 64, 16, 48, 0,
};

const unsigned char g_script2[] = {
    6,
    0x03, 0, 255, 0, 0, 0, 0, 0, 0,
    0x03, 1, 255, 0, 0, 0, 0, 0, 0,
    0x03, 2, 255, 0, 0, 0, 0, 0, 0,
    0x12, 0, 0, 0, 0, 0, 0, 0, 0,
    0x11, 0, 64, 0, 0, 0, 0, 0, 0,
    0x22, 0, 5, 3, 48, 32, 32, 64, 0,
};

const unsigned char g_script3[] = {0};

const unsigned char g_script4[] = {
    8,
    0x03, 2, 255, 0, 0, 0, 0, 0, 0,
    0x21, 0, 48, 16, 0, 0, 0, 0, 0,
    0x22, 0, 2, 2, 32, 16, 112, 144, 0,
    0x03, 1, 255, 0, 0, 0, 0, 0, 0,
    0x21, 0, 64, 32, 0, 0, 0, 0, 0,
    0x22, 0, 2, 2, 32, 16, 112, 144, 0,
    0x03, 0, 255, 0, 0, 0, 0, 0, 81,
    0x22, 0, 2, 2, 32, 16, 112, 144, 0,
};

const unsigned char g_script5[] = {
    9,
    0x03, 2, 255, 0, 0, 0, 0, 0, 0,
    0x21, 0, 48, 16, 0, 0, 0, 0, 0,
    0x22, 0, 2, 2, 32, 16, 112, 144, 0,
    0x03, 1, 255, 0, 0, 0, 0, 0, 0,
    0x21, 0, 48, 32, 0, 0, 0, 0, 0,
    0x22, 0, 2, 3, 32, 16, 112, 144, 0,
    0x03, 0, 255, 0, 0, 0, 0, 0, 81,
    0x22, 0, 2, 2, 32, 16, 112, 144, 0,
    0x13, 0, 0, 0, 0, 0, 0, 0, 0,
};

const unsigned char* BuiltinScript(int n)
{
    switch (n) {
    case 1: return g_script1;
    case 2: return g_script2;
    case 3: return g_script3;
    case 4: return g_script4;
    case 5: return g_script5;
    default: return nullptr;
    }
}
