// In-process tests of the renderer's window and loop: the test owns the key table (with a guard
// region after it) and every GLWindow it makes.
#pragma once

#include "common/config.h"
#include "common/key_table.h"
#include "window/gl_window.h"

#include "import_patch.h"
#include "win32_driver.h"

#include <gtest/gtest.h>
#include <GL/gl.h>

#include <algorithm>
#include <vector>

class RendererFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_keys.assign(2 * kKeyCount, 0xA5);
        std::fill(m_keys.begin(), m_keys.begin() + kKeyCount, 0);
        g_keys = m_keys.data();
        std::fill(g_keyPresses, g_keyPresses + kKeyCount, 0);
    }
    void TearDown() override
    {
        for (int i = kKeyCount; i < 2 * kKeyCount; ++i)
            ASSERT_EQ(0xA5, m_keys[i]) << "byte " << i << " past the key table was written";
        g_keys = nullptr;
    }
    void DrainMessages()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    std::vector<unsigned char> m_keys;
};

// The current display-cursor counter, read without changing it.
inline int CursorCount()
{
    const int count = ShowCursor(TRUE);
    ShowCursor(FALSE);
    return count - 1;
}

inline DEVMODEA CurrentMode()
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    return mode;
}

// Every display change the renderer asks for, passed on to the system: the mode asked for (null to
// go back to the registry's mode) and the flags.
struct DisplayChange {
    bool toRegistryMode;
    DWORD bitsPerPel;
    DWORD flags;
};

class DisplayChanges {
public:
    DisplayChanges() : m_patch("user32.dll", "ChangeDisplaySettingsA", reinterpret_cast<void*>(&Record))
    {
        s_calls.clear();
        s_original = m_patch.Original();
    }
    bool Watching() const { return m_patch.Applied(); }
    const std::vector<DisplayChange>& Calls() const { return s_calls; }

private:
    static LONG WINAPI Record(DEVMODEA* mode, DWORD flags)
    {
        s_calls.push_back({mode == nullptr, mode ? mode->dmBitsPerPel : 0, flags});
        return reinterpret_cast<LONG(WINAPI*)(DEVMODEA*, DWORD)>(s_original)(mode, flags);
    }

    ImportPatch m_patch;
    static inline std::vector<DisplayChange> s_calls;
    static inline void* s_original = nullptr;
};
