// The renderer's key-state table: one byte per Win32 virtual-key code, 1 while the key is down.
#pragma once

#include <cstdint>

constexpr int kKeyCount = 256;
constexpr int kEscapeKey = 27;

// Records a key going down or up. Codes of 256 or more never come from the keyboard, only from a
// program posting its own messages; they are ignored instead of being written past the table.
void RecordKey(unsigned char* keys, std::uintptr_t virtualKey, bool down);

// True while the key is down; codes outside the table are never down.
bool IsKeyDown(const unsigned char* keys, std::uintptr_t virtualKey);
