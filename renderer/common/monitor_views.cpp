#include "monitor_views.h"

#include <algorithm>

std::vector<MonitorView> MonitorViews(const ScreenRect& window, const std::vector<ScreenRect>& monitors)
{
    std::vector<MonitorView> views;
    for (const ScreenRect& m : monitors) {
        const int left = std::max(m.left, window.left), right = std::min(m.right, window.right);
        const int top = std::max(m.top, window.top), bottom = std::min(m.bottom, window.bottom);
        if (right <= left || bottom <= top)
            continue;
        views.push_back({left - window.left, window.bottom - bottom, right - left, bottom - top});
    }
    return views;
}

ScreenRect BoundsOf(const std::vector<ScreenRect>& monitors)
{
    if (monitors.empty())
        return {0, 0, 0, 0};
    ScreenRect r = monitors.front();
    for (const ScreenRect& m : monitors) {
        r.left = std::min(r.left, m.left);
        r.top = std::min(r.top, m.top);
        r.right = std::max(r.right, m.right);
        r.bottom = std::max(r.bottom, m.bottom);
    }
    return r;
}
