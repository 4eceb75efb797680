#include "fw/dialog_template.h"

#include <map>

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

void RegisterDialogTemplate(const DialogTemplate& dialogTemplate) {
    Registry()[dialogTemplate.id] = &dialogTemplate;
}

const DialogTemplate* FindDialogTemplate(int id) {
    auto it = Registry().find(id);
    return it == Registry().end() ? nullptr : it->second;
}

} // namespace fw
