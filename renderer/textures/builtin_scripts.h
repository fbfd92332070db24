// The five texture scripts the renderer runs at start-up.
#pragma once

extern const unsigned char g_script1[];  // blue glow with a white-cyan core, wavy arms
extern const unsigned char g_script2[];  // dark red and olive-yellow blobs
extern const unsigned char g_script3[];  // empty: black
extern const unsigned char g_script4[];  // three offset glows swirled into a multicoloured smear
extern const unsigned char g_script5[];  // script 4's swirl with other offsets, in grey

// Script n = 1..5, or null.
const unsigned char* BuiltinScript(int n);
