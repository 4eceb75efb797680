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

// The placement a style field's value stands for; any other value is
// otherwise.
Placement PlacementOf(long value, long start, long centre, long end, Placement otherwise) {
    if (value == start)
        return Placement::start;
    if (value == centre)
        return Placement::centre;
    if (value == end)
        return Placement::end;
    return otherwise;
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
    return PlacementOf(Field(control, KV_BS_CENTER), KV_BS_LEFT, KV_BS_CENTER, KV_BS_RIGHT,
                       Placement::centre);
}

Placement ButtonImageVertical(const DialogControl& control) {
    return PlacementOf(Field(control, KV_BS_VCENTER), KV_BS_TOP, KV_BS_VCENTER, KV_BS_BOTTOM,
                       Placement::centre);
}

Placement LabelHorizontal(const DialogControl& control) {
    return PlacementOf(Field(control, KV_SS_TYPEMASK), KV_SS_LEFT, KV_SS_CENTER, KV_SS_RIGHT,
                       Placement::start);
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
