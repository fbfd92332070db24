// The Command button's behaviour without the platform: its look state, the events that move it, its
// public properties and its persisted property set. What it decides to show goes to a surface,
// which the Win32 control (or a test) provides.
#pragma once

#include "command_states.h"
#include "forms/layout.h"

#include <cstdint>
#include <string>

enum class MouseButton { Left, Right, Middle };

class CommandSurface {
public:
    virtual ~CommandSurface() = default;
    // Paint the whole face from this skin with the gradient direction given (DrawFace).
    virtual void DrawFace(Skin skin, bool invert) = 0;
    // The caption label changed (text, font, colour, enabled): show it again.
    virtual void CaptionChanged() = 0;
    virtual void StartHoverTimer() = 0;
    virtual void RaiseClick() = 0;
    // Tell the hosting form that a persisted property changed.
    virtual void ReportChange(const char* property) = 0;
};

// The caption label LblMsg.
struct CaptionLabel {
    std::string text = "Command";
    FontSpec font;
    std::uint32_t colour = 0;
    bool enabled = true;
};

class CommandModel {
public:
    explicit CommandModel(CommandSurface& surface);

    // Public members, in order.
    void Initialize();
    bool Visible();
    void SetVisible(bool value);
    std::uint32_t FontColour();
    void SetFontColour(std::uint32_t value);
    bool Enabled();
    void SetEnabled(bool value);
    std::string Caption() const { return LblMsg.text; }
    void SetCaption(const std::string& value);
    FontSpec Font() const { return LblMsg.font; }
    void SetFont(const FontSpec& value);

    // Events from the platform.
    void MouseMove();
    void GotFocus();
    void LostFocus();
    void MouseDown(MouseButton button);
    void MouseUp(MouseButton button);
    // The 100 ms poll: is the window under the mouse this button?
    void HoverPoll(bool mouseOverButton);
    void Resize();

    // The persisted property set, read when loaded from layout data and written when saved.
    void ReadProperties(const LayoutControl& bag, const FontSpec& hostFont);
    void WriteProperties(LayoutControl& bag, const FontSpec& hostFont);

    // Fields, in the control's order.
    bool m_Invert;
    std::uint8_t m_FirstRun;
    bool m_Enabled;
    std::uint8_t m_State;
    bool m_MouseDown;

    CaptionLabel LblMsg;
    bool m_Opaque;  // the background style: opaque shows the face, transparent only the caption

private:
    void Apply(ButtonEvent event);
    void DrawFace(Skin skin);
    void ShowEnabledFace();
    void RefreshFace();
    void LeaveHover();

    CommandSurface& m_surface;
};
