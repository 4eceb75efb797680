#include "fw/dialog_template.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "fw/win32_values.h"

namespace fw {

namespace {
std::map<int, const DialogTemplate*>& Registry() {
    static std::map<int, const DialogTemplate*> registry;
    return registry;
}
bool Has(const DialogControl& control, long bits) {
    return (control.style & static_cast<std::uint32_t>(bits)) == static_cast<std::uint32_t>(bits);
}

// The value of the style bits under mask.
long Field(const DialogControl& control, long mask) {
    return static_cast<long>(control.style & static_cast<std::uint32_t>(mask));
}

bool SameLetters(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

ControlKind KindOfClass(std::string_view className) {
    if (SameLetters(className, "Button"))
        return ControlKind::button;
    if (SameLetters(className, "Static"))
        return ControlKind::label;
    if (SameLetters(className, "ListBox"))
        return ControlKind::listBox;
    if (SameLetters(className, "Edit"))
        return ControlKind::edit;
    return ControlKind::other;
}

bool IsVisible(const DialogControl& control) {
    return Has(control, KV_WS_VISIBLE);
}

bool IsDisabled(const DialogControl& control) {
    return Has(control, KV_WS_DISABLED);
}

bool IsTabStop(const DialogControl& control) {
    return Has(control, KV_WS_TABSTOP);
}

bool HasBorder(const DialogControl& control) {
    return Has(control, KV_WS_BORDER);
}

bool HasVerticalScrollBar(const DialogControl& control) {
    return Has(control, KV_WS_VSCROLL);
}

bool IsSortedList(const DialogControl& control) {
    return Has(control, KV_LBS_SORT);
}

bool IsDefaultButton(const DialogControl& control) {
    return Field(control, KV_BS_TYPEMASK) == KV_BS_DEFPUSHBUTTON;
}

bool ShowsIcon(const DialogControl& control) {
    return Has(control, KV_BS_ICON);
}

Placement ButtonImageHorizontal(const DialogControl& control) {
    switch (Field(control, KV_BS_CENTER)) {
    case KV_BS_LEFT:
        return Placement::start;
    case KV_BS_RIGHT:
        return Placement::end;
    default:
        return Placement::centre;
    }
}

Placement ButtonImageVertical(const DialogControl& control) {
    switch (Field(control, KV_BS_VCENTER)) {
    case KV_BS_TOP:
        return Placement::start;
    case KV_BS_BOTTOM:
        return Placement::end;
    default:
        return Placement::centre;
    }
}

Placement LabelHorizontal(const DialogControl& control) {
    switch (Field(control, KV_SS_TYPEMASK)) {
    case KV_SS_CENTER:
        return Placement::centre;
    case KV_SS_RIGHT:
        return Placement::end;
    default:
        return Placement::start;
    }
}

const DialogControl* DialogTemplate::FindControl(int controlId) const {
    if (controlId == -1)
        return nullptr;
    for (const DialogControl& control : controls) {
        if (control.id == controlId)
            return &control;
    }
    return nullptr;
}

void RegisterDialogTemplate(const DialogTemplate& dialogTemplate) {
    Registry()[dialogTemplate.id] = &dialogTemplate;
}

const DialogTemplate* FindDialogTemplate(int id) {
    auto it = Registry().find(id);
    return it == Registry().end() ? nullptr : it->second;
}

} // namespace fw
