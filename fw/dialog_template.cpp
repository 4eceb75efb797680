#include "fw/dialog_template.h"

#include <map>
#include <string_view>

namespace fw {

namespace {
std::map<int, const DialogTemplate*>& Registry() {
    static std::map<int, const DialogTemplate*> registry;
    return registry;
}
} // namespace

const DialogControl* DialogTemplate::FindControl(int controlId) const {
    if (controlId == -1)
        return nullptr;
    for (const DialogControl& control : controls) {
        if (control.id == controlId)
            return &control;
    }
    return nullptr;
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
