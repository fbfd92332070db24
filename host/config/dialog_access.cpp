// What the settings dialog gives assistive technology. Its rows, headings, file name and link are
// drawn by their container (the panel, the form) and have no window: each container answers for them
// with an accessible object of its own, one simple child per drawn control; the push buttons answer
// for themselves, and the track box is named by its label.
#include "settings_dialog.h"

#include "dialog_places.h"
#include "track_box.h"
#include "forms/win32_forms.h"

#include <oleacc.h>

#include <algorithm>
#include <tuple>

namespace {

// Every control of the layout, depth first.
void Collect(const LayoutControl& c, std::vector<const LayoutControl*>* all)
{
    all->push_back(&c);
    for (const LayoutControl& child : c.children)
        Collect(child, all);
}

const char kItemsProperty[] = "Lunaquill.Accessible";
const char kProcedureProperty[] = "Lunaquill.Procedure";

} // namespace

// The drawn controls of one container, in the layout's tab order.
class SettingsDialog::DrawnItems : public AccessibleItems {
public:
    DrawnItems(SettingsDialog& dialog, HWND container) : m_dialog(dialog), m_container(container)
    {
        for (const Lightweight& l : dialog.m_form.Drawn(container))
            if (l.className == "Label")
                m_labels.push_back({LayoutInteger(l.layout, "TabIndex", 0), l.name, l.index});
        std::sort(m_labels.begin(), m_labels.end());
    }
    // The child id of a place's label here, or 0.
    int ChildOf(const Place& place) const
    {
        for (std::size_t i = 0; i < m_labels.size(); ++i) {
            const PlaceOf* entry = EntryFor(std::get<1>(m_labels[i]), std::get<2>(m_labels[i]));
            if (entry && entry->place == place && entry->key)
                return static_cast<int>(i) + 1;
        }
        return 0;
    }

    AccessibleItem Item(int child) override
    {
        AccessibleItem item;
        if (child == 0) {
            item.role = ROLE_SYSTEM_CLIENT;
            item.state = STATE_SYSTEM_FOCUSABLE | (GetFocus() == m_container ? STATE_SYSTEM_FOCUSED : 0);
            GetClientRect(m_container, &item.place);
            return item;
        }
        const Lightweight* l = Label(child);
        const PlaceOf* entry = EntryFor(l->name, l->index);
        const Place place = entry ? entry->place : Place();
        const UiTexts& texts = m_dialog.m_texts;
        item.name = l->name == "lbl_Fname" ? l->text : CaptionOf(l->layout);
        if (entry && entry->key && m_dialog.m_keyboard)
            item.shortcut = std::wstring(L"Alt+") + static_cast<wchar_t>(entry->key);
        item.place = l->pixels;
        const bool focused = m_dialog.FocusedPlace() == place && place.stop != Stop::None;
        switch (place.stop) {
        case Stop::MusicRow:
        case Stop::DisplayRow: {
            const bool music = place.stop == Stop::MusicRow;
            const bool ticked = music ? m_dialog.m_settings.BGM_Kind == place.index
                                      : DisplayChoiceTicked(m_dialog.m_settings, place.index);
            item.role = music ? ROLE_SYSTEM_RADIOBUTTON : ROLE_SYSTEM_CHECKBUTTON;
            item.state = STATE_SYSTEM_FOCUSABLE | (ticked ? STATE_SYSTEM_CHECKED : 0) | (focused ? STATE_SYSTEM_FOCUSED : 0);
            item.defaultAction = WideFrom(!music && ticked ? texts.uncheckAction : texts.checkAction, 932);
            item.place = m_dialog.PlaceRect(place);
            break;
        }
        case Stop::Link:
            item.role = ROLE_SYSTEM_LINK;
            item.value = item.name;
            item.state = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED | (focused ? STATE_SYSTEM_FOCUSED : 0);
            item.defaultAction = WideFrom(texts.jumpAction, 932);
            item.place = m_dialog.PlaceRect(place);
            break;
        default:  // the headings, the track box's label, the chosen file, the credit line
            item.role = ROLE_SYSTEM_STATICTEXT;
            item.state = STATE_SYSTEM_READONLY;
            break;
        }
        return item;
    }
    int Count() override { return static_cast<int>(m_labels.size()); }
    int Focus() override
    {
        if (GetFocus() != m_container)
            return -1;
        return ChildOf(m_dialog.m_drawnFocus);
    }
    bool DoDefaultAction(int child) override
    {
        if (child < 1 || child > Count())
            return false;
        const Lightweight* l = Label(child);
        const PlaceOf* entry = EntryFor(l->name, l->index);
        if (!entry || (entry->place.stop != Stop::MusicRow && entry->place.stop != Stop::DisplayRow &&
                       entry->place.stop != Stop::Link))
            return false;
        // Posted: the caller, perhaps another program, gets its answer before the click is carried out.
        const Act act = entry->place.stop == Stop::MusicRow ? Act::Choose : entry->place.stop == Stop::DisplayRow ? Act::Toggle : Act::Open;
        PostMessageA(m_dialog.m_hWnd, kAccessAction, static_cast<WPARAM>(act),
                     MAKELPARAM(static_cast<WORD>(entry->place.stop), static_cast<WORD>(entry->place.index)));
        return true;
    }

private:
    const Lightweight* Label(int child)
    {
        const auto& [tab, name, index] = m_labels[static_cast<std::size_t>(child - 1)];
        static_cast<void>(tab);
        return m_dialog.m_form.Find(m_container, name.c_str(), index);
    }

    SettingsDialog& m_dialog;
    HWND m_container;
    std::vector<std::tuple<long, std::string, int>> m_labels;
};

// The track box, and the edit field inside it, named by the label beside them, which is drawn.
class SettingsDialog::TrackBoxItems : public AccessibleItems {
public:
    TrackBoxItems(SettingsDialog& dialog, HWND window, long role) : m_dialog(dialog), m_window(window), m_role(role)
    {
        SetPropA(window, kItemsProperty, this);
        SetPropA(window, kProcedureProperty,
                 reinterpret_cast<HANDLE>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure))));
    }
    AccessibleItem Item(int) override
    {
        AccessibleItem item;
        item.role = m_role;
        if (const Lightweight* label = m_dialog.m_form.Find(m_dialog.Pic_C, "lbl", 14))
            item.name = CaptionOf(label->layout);
        item.value = WideWindowText(m_dialog.BGM_Repeat);
        if (m_dialog.m_keyboard)
            item.shortcut = L"Alt+R";
        item.state = STATE_SYSTEM_FOCUSABLE | (GetFocus() == m_window ? STATE_SYSTEM_FOCUSED : 0) |
                     (IsWindowEnabled(m_dialog.BGM_Repeat) ? 0 : STATE_SYSTEM_UNAVAILABLE);
        GetClientRect(m_window, &item.place);
        return item;
    }
    int Count() override { return 0; }
    int Focus() override { return GetFocus() == m_window ? 0 : -1; }
    bool DoDefaultAction(int) override { return false; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        const WNDPROC original = reinterpret_cast<WNDPROC>(GetPropA(window, kProcedureProperty));
        if (message == WM_GETOBJECT)
            if (auto* items = static_cast<TrackBoxItems*>(GetPropA(window, kItemsProperty)))
                return items->Answer(window, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
            RemovePropA(window, kItemsProperty);
            RemovePropA(window, kProcedureProperty);
        }
        return CallWindowProcA(original, window, message, wParam, lParam);
    }

    SettingsDialog& m_dialog;
    HWND m_window;
    long m_role;
};

SettingsDialog::SettingsDialog(Settings& settings, const UiTexts& texts)
    : m_settings(settings), m_texts(texts), m_form(kPictureClass, this), m_owner(nullptr), m_hWnd(nullptr),
      Pic_C(nullptr), BGM_Repeat(nullptr), Pic_Dummy(nullptr), Cmd_File(nullptr), Cmd_Set(nullptr), Cmd_Can(nullptr),
      Img_Ra{nullptr, nullptr}, m_hand(nullptr), m_trackBack(RGB(255, 255, 255)), m_trackText(RGB(0, 0, 0)),
      m_trackBrush(nullptr), m_lastFocus(nullptr), m_closing(false), m_keyboard(false), m_highContrast(false)
{
}

SettingsDialog::~SettingsDialog()
{
    if (BGM_Repeat && IsWindow(BGM_Repeat)) {
        COMBOBOXINFO info = {};
        info.cbSize = sizeof(info);
        GetComboBoxInfo(BGM_Repeat, &info);
        for (HWND w : {BGM_Repeat, info.hwndItem})
            if (w)
                RemovePropA(w, kItemsProperty);
    }
    if (m_trackBrush)
        DeleteObject(m_trackBrush);
    if (m_owner)
        DestroyWindow(m_owner);
}

// The places in the layout's tab order, the music rows as they lie on screen, the access keys; the
// objects that answer for the drawn controls and the track box; the buttons' names.
void SettingsDialog::Describe()
{
    std::vector<const LayoutControl*> all;
    Collect(m_layout, &all);
    std::stable_sort(all.begin(), all.end(), [](const LayoutControl* a, const LayoutControl* b) {
        return LayoutInteger(*a, "TabIndex", 0) < LayoutInteger(*b, "TabIndex", 0);
    });
    std::vector<Place> tabOrder;
    std::vector<std::pair<long, int>> rows;
    for (const LayoutControl* c : all) {
        const PlaceOf* entry = EntryFor(c->name, c->index);
        if (!entry || c->name == "lbl")
            continue;  // a label names a place of its own only for its access key
        tabOrder.push_back(entry->place);
        if (entry->place.stop == Stop::MusicRow)
            rows.push_back({LayoutInteger(*c, "Top", 0), entry->place.index});
    }
    std::sort(rows.begin(), rows.end());
    std::vector<int> onScreen;
    for (const auto& row : rows)
        onScreen.push_back(row.second);
    std::vector<std::pair<char, Place>> keys;
    int count = 0;
    const PlaceOf* places = Places(&count);
    for (int i = 0; i < count; ++i)
        if (places[i].key)
            keys.push_back({places[i].key, places[i].place});
    m_keys.reset(new DialogKeyboard(tabOrder, onScreen, keys));

    m_formItems.reset(new DrawnItems(*this, m_hWnd));
    m_panelItems.reset(new DrawnItems(*this, Pic_C));
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    m_trackItems.reset(new TrackBoxItems(*this, BGM_Repeat, ROLE_SYSTEM_COMBOBOX));
    if (GetComboBoxInfo(BGM_Repeat, &info) && info.hwndItem)
        m_trackEditItems.reset(new TrackBoxItems(*this, info.hwndItem, ROLE_SYSTEM_TEXT));
    const std::wstring press = WideFrom(m_texts.pressAction, 932);
    if (Cmd_File)
        Cmd_File->Describe(WideFrom(m_texts.browseName, 932), press);
    for (CommandButton* button : {Cmd_Set, Cmd_Can})
        if (button)
            button->Describe(std::wstring(), press);
}

LRESULT SettingsDialog::AccessibleAnswer(HWND window, WPARAM wParam, LPARAM lParam)
{
    AccessibleItems* items = window == m_hWnd ? static_cast<AccessibleItems*>(m_formItems.get())
                                              : static_cast<AccessibleItems*>(m_panelItems.get());
    return items ? items->Answer(window, wParam, lParam) : DefWindowProcA(window, WM_GETOBJECT, wParam, lParam);
}

void SettingsDialog::NotifyDrawn(DWORD event, const Place& place)
{
    HWND container = ContainerOf(place);
    DrawnItems* items = container == m_hWnd ? m_formItems.get() : container == Pic_C ? m_panelItems.get() : nullptr;
    if (items && items->ChildOf(place))
        NotifyWinEvent(event, container, OBJID_CLIENT, items->ChildOf(place));
}
