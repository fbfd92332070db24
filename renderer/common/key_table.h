// The renderer's key-state table: one byte per Win32 virtual-key code, 1 while the key is down.
// Beside it, a press table remembers that a key went down until someone has looked: on a slow frame
// a short tap arrives as a press and a release in the same message drain, and the state table alone
// would show the key as never pressed.
#pragma once

#include <cstdint>

constexpr int kKeyCount = 256;
constexpr int kEscapeKey = 27;

// Records a key going down or up; a press is also marked in `presses`. Codes of 256 or more never
// come from the keyboard, only from a program posting its own messages; they are ignored instead of
// being written past the tables.
void RecordKey(unsigned char* keys, unsigned char* presses, std::uintptr_t virtualKey, bool down);

// True while the key is down; codes outside the table are never down.
bool IsKeyDown(const unsigned char* keys, std::uintptr_t virtualKey);

// True when the key went down since the last call for it (whether or not it is still down); the
// mark is cleared.
bool TakeKeyPress(unsigned char* presses, std::uintptr_t virtualKey);
