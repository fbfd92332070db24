#include "input_watch.h"

#include <cstdlib>

bool IsUserInputMessage(unsigned message)
{
    switch (message) {
    case 0x0100:  // WM_KEYDOWN
    case 0x0104:  // WM_SYSKEYDOWN
    case 0x0201:  // WM_LBUTTONDOWN
    case 0x0204:  // WM_RBUTTONDOWN
    case 0x0207:  // WM_MBUTTONDOWN
    case 0x020A:  // WM_MOUSEWHEEL
    case 0x020B:  // WM_XBUTTONDOWN
    case 0x020E:  // WM_MOUSEHWHEEL
    case 0x0246:  // WM_POINTERDOWN (Windows 8 and later, before the mouse message a touch turns into)
        return true;
    default:
        return false;
    }
}

int PointerSlackPixels(int dpi)
{
    return dpi > 96 ? (4 * dpi + 48) / 96 : 4;
}

bool InputWatch::MouseMovedTo(int x, int y)
{
    if (!m_placed) {
        m_placed = true;
        m_x = x;
        m_y = y;
        return false;
    }
    return std::abs(x - m_x) > m_slack || std::abs(y - m_y) > m_slack;
}
