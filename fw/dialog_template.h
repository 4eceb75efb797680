#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

// One control of a dialog template. Positions are in dialog units; style
// bits are the Win32 values (fw/win32_values.h), read through the named
// checks below. Texts are UTF-8.
struct DialogControl {
    int id = -1;
    std::string className; // "Button", "Static", "ListBox", "Edit"
    std::string text;
    std::uint32_t style = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
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

// Named checks of a control's style.
bool IsVisible(const DialogControl& control);
bool IsDisabled(const DialogControl& control);
bool IsTabStop(const DialogControl& control);
bool HasBorder(const DialogControl& control);
bool HasVerticalScrollBar(const DialogControl& control);
bool IsSortedList(const DialogControl& control);
bool IsDefaultButton(const DialogControl& control);
bool ShowsIcon(const DialogControl& control); // a button with an icon image
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
    int fontCharset = 0;
    std::vector<DialogControl> controls;

    // The control with that id, or null. Controls without an id (-1) are
    // not found this way.
    const DialogControl* FindControl(int controlId) const;
};

// Makes a template known by its id, so a dialog constructed with that id
// finds it. Registering the same id again replaces the earlier entry. The
// template must outlive every dialog built from it.
void RegisterDialogTemplate(const DialogTemplate& dialogTemplate);

// The registered template with that id, or null.
const DialogTemplate* FindDialogTemplate(int id);

} // namespace fw
