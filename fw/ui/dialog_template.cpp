#include "fw/ui/dialog_template.h"

#include <algorithm>
#include <map>
#include <string_view>

namespace fw {

namespace {
std::map<int, const DialogTemplate*>& Registry() {
    static std::map<int, const DialogTemplate*> registry;
    return registry;
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

// Equal but for the letter case of ASCII letters, whatever the locale.
bool SameLetters(std::string_view a, std::string_view b) {
    const auto fold = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return fold(x) == fold(y); });
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

Placement ButtonImageHorizontal(const DialogControl& control) {
    return PlacementOf(control.Field(KV_BS_CENTER), KV_BS_LEFT, KV_BS_CENTER, KV_BS_RIGHT,
                       Placement::centre);
}

Placement ButtonImageVertical(const DialogControl& control) {
    return PlacementOf(control.Field(KV_BS_VCENTER), KV_BS_TOP, KV_BS_VCENTER, KV_BS_BOTTOM,
                       Placement::centre);
}

Placement LabelHorizontal(const DialogControl& control) {
    return PlacementOf(control.Field(KV_SS_TYPEMASK), KV_SS_LEFT, KV_SS_CENTER, KV_SS_RIGHT,
                       Placement::start);
}

const DialogControl* DialogTemplate::LabelOf(const DialogControl& control) const {
    if (control.id == -1)
        return nullptr;
    for (const DialogControl& label : controls) {
        if (label.labelFor == control.id)
            return &label;
    }
    return nullptr;
}

std::string DialogTemplate::AccessibleName(const DialogControl& control) const {
    const DialogControl* label = LabelOf(control);
    if (label == nullptr)
        return control.text;
    std::string name = label->text;
    for (const std::string_view colon : {std::string_view(":"), std::string_view("：")}) {
        if (name.size() >= colon.size() && name.ends_with(colon)) {
            name.resize(name.size() - colon.size());
            break;
        }
    }
    return name;
}

void RegisterDialogTemplate(const DialogTemplate& dialogTemplate) {
    Registry()[dialogTemplate.id] = &dialogTemplate;
}

const DialogTemplate* FindDialogTemplate(int id) {
    auto it = Registry().find(id);
    return it == Registry().end() ? nullptr : it->second;
}

} // namespace fw
