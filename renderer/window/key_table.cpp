#include "key_table.h"

void RecordKey(unsigned char* keys, std::uintptr_t virtualKey, bool down)
{
    if (virtualKey < static_cast<std::uintptr_t>(kKeyCount))
        keys[virtualKey] = down ? 1 : 0;
}

bool IsKeyDown(const unsigned char* keys, std::uintptr_t virtualKey)
{
    return virtualKey < static_cast<std::uintptr_t>(kKeyCount) && keys[virtualKey] != 0;
}
