#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fw {

// One control of a dialog template. Positions are in dialog units; style
// bits are the Win32 values (res/dialog_styles.h). Texts are UTF-8.
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
};

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
