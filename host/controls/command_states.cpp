#include "command_states.h"

const Transition kTransitions[] = {
    // mouse move: entering is seen here; leaving only by the hover poll
    {ButtonEvent::MouseMove, kStateNormal, MouseDownRule::Any, kStateHighLight, Skin::HighLight, MouseDownEffect::Keep},
    {ButtonEvent::MouseMove, kStateSelected, MouseDownRule::NotDown, kStateHighLightSelect, Skin::HighLightSelect, MouseDownEffect::Keep},
    // got focus: arriving while hovered comes from a click
    {ButtonEvent::GotFocus, kStateHighLight, MouseDownRule::Any, kStateHighLightSelect, Skin::Pressed, MouseDownEffect::Keep},
    {ButtonEvent::GotFocus, kAnyState, MouseDownRule::Any, kStateSelected, Skin::Selected, MouseDownEffect::Keep},
    // lost focus
    {ButtonEvent::LostFocus, kStateNormal, MouseDownRule::Any, kKeepState, Skin::None, MouseDownEffect::Keep},
    {ButtonEvent::LostFocus, kAnyState, MouseDownRule::Any, kStateNormal, Skin::Normal, MouseDownEffect::Keep},
    // press: only the left button shows it
    {ButtonEvent::PressLeft, kAnyState, MouseDownRule::Any, kKeepState, Skin::Pressed, MouseDownEffect::Set},
    // release of the left button (the Click itself is decided after these rows)
    {ButtonEvent::ReleaseLeft, kStateHighLight, MouseDownRule::Any, kKeepState, Skin::Normal, MouseDownEffect::Clear},
    {ButtonEvent::ReleaseLeft, kStateHighLightSelect, MouseDownRule::Any, kKeepState, Skin::HighLightSelect, MouseDownEffect::Clear},
    {ButtonEvent::ReleaseLeft, kAnyState, MouseDownRule::Any, kKeepState, Skin::None, MouseDownEffect::Clear},
    // the hover poll found the mouse elsewhere
    {ButtonEvent::MouseLeft, kStateHighLight, MouseDownRule::Any, kStateNormal, Skin::Normal, MouseDownEffect::Keep},
    {ButtonEvent::MouseLeft, kStateHighLightSelect, MouseDownRule::Any, kStateSelected, Skin::Selected, MouseDownEffect::Keep},
};


const Transition* FindTransition(ButtonEvent event, std::uint8_t state, bool mouseDown)
{
    for (const Transition& t : kTransitions) {
        if (t.event != event)
            continue;
        if (t.stateBefore != kAnyState && t.stateBefore != state)
            continue;
        if (t.mouseDown == MouseDownRule::NotDown && mouseDown)
            continue;
        return &t;
    }
    return nullptr;
}
