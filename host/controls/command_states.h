// The Command button's look states and how mouse and focus events move between them, as a table.
#pragma once

#include <cstdint>

// Looks a face can be painted with; None means "paint nothing".
enum class Skin { None, Normal, HighLight, Selected, HighLightSelect, Pressed, Disable };

// m_State: 0 none yet, 1 Normal, 2 HighLight, 3 Selected, 4 HighLightSelect.
enum : std::uint8_t { kStateNone = 0, kStateNormal = 1, kStateHighLight = 2, kStateSelected = 3, kStateHighLightSelect = 4 };

enum class ButtonEvent {
    MouseMove,
    GotFocus,
    LostFocus,
    PressLeft,
    PressOther,
    ReleaseLeft,
    ReleaseOther,
    MouseLeft,  // the hover poll found the mouse elsewhere (LeaveHover)
};

constexpr int kAnyState = -1;
constexpr std::uint8_t kKeepState = 0xFF;

enum class MouseDownRule { Any, NotDown };
enum class MouseDownEffect { Keep, Set, Clear };

// One row: for this event in this state (kAnyState: any state not matched by an earlier row of
// the same event), the state after, the skin painted and the effect on m_MouseDown.
struct Transition {
    ButtonEvent event;
    int stateBefore;
    MouseDownRule mouseDown;
    std::uint8_t stateAfter;  // kKeepState: unchanged
    Skin skin;
    MouseDownEffect effect;
};

extern const Transition kTransitions[];

// The first row that applies, or null when none does (nothing happens).
const Transition* FindTransition(ButtonEvent event, std::uint8_t state, bool mouseDown);
