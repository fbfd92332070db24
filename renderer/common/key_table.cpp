#include "key_table.h"

namespace {

bool InTable(std::uintptr_t virtualKey)
{
    return virtualKey < static_cast<std::uintptr_t>(kKeyCount);
}

} // namespace

void RecordKey(unsigned char* keys, unsigned char* presses, std::uintptr_t virtualKey, bool down)
{
    if (!InTable(virtualKey))
        return;
    keys[virtualKey] = down ? 1 : 0;
    if (down)
        presses[virtualKey] = 1;
}

bool IsKeyDown(const unsigned char* keys, std::uintptr_t virtualKey)
{
    return InTable(virtualKey) && keys[virtualKey] != 0;
}

bool TakeKeyPress(unsigned char* presses, std::uintptr_t virtualKey)
{
    if (!InTable(virtualKey) || presses[virtualKey] == 0)
        return false;
    presses[virtualKey] = 0;
    return true;
}
