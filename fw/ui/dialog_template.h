#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fw/ui/win32_values.h"

namespace fw {

// One control of a dialog template. Positions are in dialog units; style
// bits are the Win32 values (fw/ui/win32_values.h), read through the named
// checks. Texts are UTF-8.
struct DialogControl {
    int id = -1;
    std::string className; // "Button", "Static", "ListBox", "Edit"
    std::string text;
    std::uint32_t style = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    // A static text that labels another control: that control's id.
    int labelFor = -1;

    // Named checks of the style.
    bool Has(long bits) const {
        return (style & static_cast<std::uint32_t>(bits)) == static_cast<std::uint32_t>(bits);
    }
    bool IsVisible() const { return Has(KV_WS_VISIBLE); }
    bool IsDisabled() const { return Has(KV_WS_DISABLED); }
    bool IsTabStop() const { return Has(KV_WS_TABSTOP); }
    bool HasBorder() const { return Has(KV_WS_BORDER); }
    bool HasVerticalScrollBar() const { return Has(KV_WS_VSCROLL); }
    bool IsSortedList() const { return Has(KV_LBS_SORT); }
    bool IsDefaultButton() const { return Field(KV_BS_TYPEMASK) == KV_BS_DEFPUSHBUTTON; }
    bool ShowsIcon() const { return Has(KV_BS_ICON); } // a button with an icon image
    // The value of the style bits under mask.
    long Field(long mask) const {
        return static_cast<long>(style & static_cast<std::uint32_t>(mask));
    }
};

// The kinds of control the backends make.
enum class ControlKind { button, label, listBox, edit, other };

// The kind a window class name stands for ("Button", "Static", "ListBox",
// "Edit"), letter case ignored as the window system does.
ControlKind KindOfClass(std::string_view className);

inline ControlKind KindOf(const DialogControl& control) {
    return KindOfClass(control.className);
}

// Where a button's image or a label's text sits along one axis.
enum class Placement { start, centre, end };
Placement ButtonImageHorizontal(const DialogControl& control);
Placement ButtonImageVertical(const DialogControl& control);
Placement LabelHorizontal(const DialogControl& control);

// A dialog layout: the window, its font and its controls in tab order.
struct DialogTemplate {
    int id = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::string caption;
    int pointSize = 0;
    std::string fontFace;
    int fontWeight = 0;
    bool fontItalic = false;
    std::vector<DialogControl> controls;

    // The static text that labels the control, or null.
    const DialogControl* LabelOf(const DialogControl& control) const;

    // What assistive technology calls the control: its label's text
    // without the trailing colon, else its own text (an icon button's
    // undrawn text included).
    std::string AccessibleName(const DialogControl& control) const;
};

// Makes a template known by its id, so a dialog constructed with that id
// finds it. Registering the same id again replaces the earlier entry. The
// template must outlive every dialog built from it.
void RegisterDialogTemplate(const DialogTemplate& dialogTemplate);

// The registered template with that id, or null.
const DialogTemplate* FindDialogTemplate(int id);

} // namespace fw
