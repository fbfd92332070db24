#include "command_model.h"

#include "command_face.h"

CommandModel::CommandModel(CommandSurface& surface)
    : m_Invert(false), m_FirstRun(0), m_Enabled(false), m_State(kStateNone), m_MouseDown(false), m_Opaque(true),
      m_surface(surface)
{
}

void CommandModel::DrawFace(Skin skin)
{
    if (skin == Skin::None)
        return;
    m_Invert = InvertForState(m_State, m_Invert);
    m_surface.DrawFace(skin, m_Invert);
}

void CommandModel::ShowEnabledFace()
{
    DrawFace(m_Enabled ? Skin::Normal : Skin::Disable);
    LblMsg.enabled = m_Enabled;
    m_surface.CaptionChanged();
}

void CommandModel::RefreshFace()
{
    if (!m_Enabled)
        return;
    LblMsg.enabled = true;
    if (m_FirstRun == 0)
        LblMsg.colour = 0;
    DrawFace(Skin::Normal);
    m_surface.CaptionChanged();
}

void CommandModel::LeaveHover()
{
    if (m_Enabled)
        Apply(ButtonEvent::MouseLeft);
}

void CommandModel::Apply(ButtonEvent event)
{
    const Transition* t = FindTransition(event, m_State, m_MouseDown);
    if (!t)
        return;
    if (t->stateAfter != kKeepState)
        m_State = t->stateAfter;
    if (t->effect == MouseDownEffect::Set)
        m_MouseDown = true;
    else if (t->effect == MouseDownEffect::Clear)
        m_MouseDown = false;
    DrawFace(t->skin);
}

void CommandModel::Initialize()
{
    m_State = kStateNormal;
    m_surface.StartHoverTimer();
}

bool CommandModel::Visible()
{
    if (!m_Opaque)
        return false;
    RefreshFace();
    return true;
}

void CommandModel::SetVisible(bool value)
{
    m_Opaque = value;
    if (value)
        RefreshFace();
    else
        m_surface.CaptionChanged();
    m_surface.ReportChange("Visible");
}

std::uint32_t CommandModel::FontColour()
{
    const std::uint32_t colour = LblMsg.colour;
    RefreshFace();
    return colour;
}

void CommandModel::SetFontColour(std::uint32_t value)
{
    LblMsg.colour = value;
    m_surface.CaptionChanged();
    RefreshFace();
    m_surface.ReportChange("FontColour");
}

bool CommandModel::Enabled()
{
    if (m_FirstRun == 0) {
        RefreshFace();
        m_FirstRun = 1;
        m_Enabled = true;
    }
    const bool enabled = m_Enabled;
    ShowEnabledFace();
    return enabled;
}

void CommandModel::SetEnabled(bool value)
{
    m_Enabled = value;
    m_surface.ReportChange("Enabled");
    ShowEnabledFace();
}

void CommandModel::SetCaption(const std::string& value)
{
    LblMsg.text = value;
    m_surface.CaptionChanged();
    m_surface.ReportChange("Caption");
}

void CommandModel::SetFont(const FontSpec& value)
{
    LblMsg.font = value;
    m_surface.CaptionChanged();
    m_surface.ReportChange("Font");
}

void CommandModel::MouseMove()
{
    if (m_Enabled)
        Apply(ButtonEvent::MouseMove);
}

void CommandModel::GotFocus()
{
    if (m_Enabled)
        Apply(ButtonEvent::GotFocus);
}

void CommandModel::LostFocus()
{
    if (m_Enabled)
        Apply(ButtonEvent::LostFocus);
}

void CommandModel::MouseDown(MouseButton button)
{
    if (m_Enabled)
        Apply(button == MouseButton::Left ? ButtonEvent::PressLeft : ButtonEvent::PressOther);
}

void CommandModel::MouseUp(MouseButton button)
{
    if (!m_Enabled)
        return;
    if (button == MouseButton::Left)
        Apply(ButtonEvent::ReleaseLeft);
    if (m_State != kStateSelected && m_Enabled)
        m_surface.RaiseClick();
}

void CommandModel::HoverPoll(bool mouseOverButton)
{
    if (!mouseOverButton)
        LeaveHover();
}

void CommandModel::Resize()
{
    ShowEnabledFace();
}

void CommandModel::ReadProperties(const LayoutControl& bag, const FontSpec& hostFont)
{
    const LayoutValue* v = bag.Find("Enabled");
    m_Enabled = v ? v->integer != 0 : true;
    v = bag.Find("Caption");
    LblMsg.text = v ? v->text : "Command1";
    v = bag.Find("Font");
    LblMsg.font = v ? v->font : hostFont;
    v = bag.Find("FirstRun");
    m_FirstRun = static_cast<std::uint8_t>(v ? v->integer : 1);
    v = bag.Find("FontColour");
    LblMsg.colour = static_cast<std::uint32_t>(v ? v->integer : 0);
    v = bag.Find("Visible");
    m_Opaque = v ? v->integer != 0 : true;
    RefreshFace();
}

void CommandModel::WriteProperties(LayoutControl& bag, const FontSpec& hostFont)
{
    // A value equal to its default is not stored.
    auto write = [&bag](const char* key, const LayoutValue& value, const LayoutValue& byDefault) {
        if (value == byDefault)
            bag.Remove(key);
        else
            bag.Set(key, value);
    };
    write("Enabled", LayoutValue::OfBoolean(m_Enabled), LayoutValue::OfBoolean(true));
    write("Caption", LayoutValue::OfText(LblMsg.text), LayoutValue::OfText("Command"));
    write("FirstRun", LayoutValue::OfInteger(m_FirstRun), LayoutValue::OfInteger(1));
    write("Font", LayoutValue::OfFont(LblMsg.font), LayoutValue::OfFont(hostFont));
    write("FontColour", LayoutValue::OfColour(LblMsg.colour), LayoutValue::OfColour(0));
    write("Visible", LayoutValue::OfInteger(m_Opaque ? 1 : 0), LayoutValue::OfInteger(1));
    RefreshFace();
}
