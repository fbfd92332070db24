// The renderer measures and places its windows in real pixels on every monitor.
#pragma once

// Per-monitor aware (v2 from Windows 10 1703, per-monitor from 8.1, system-aware from Vista), set
// before the first window. Without it Windows scales the window of an unaware program: at 150 %
// the 1024x768 fallback window becomes 1536x1152 pixels, blurred, and a window meant to cover a
// monitor covers a part of it. Set at run time rather than by a manifest: a manifest that knows of
// per-monitor awareness must declare Windows 8.1 or later, and the 16-bit display mode of the
// original show would then be refused. Where the system has none of these, nothing changes.
void BecomeDpiAware();
