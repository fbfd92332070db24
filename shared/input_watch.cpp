#include "input_watch.h"

#include <cstdlib>

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
