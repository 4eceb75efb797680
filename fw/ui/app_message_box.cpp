#include "fw/ui/app_message_box.h"

#include <utility>

#include "fw/ui/ui_backend.h"

namespace fw {

namespace {

// Made on first use: the application object, a global, sets it while the
// program's globals are being constructed.
std::string& Caption() {
    static std::string caption;
    return caption;
}

} // namespace

void SetAppCaption(std::string caption) {
    Caption() = std::move(caption);
}

const std::string& AppCaption() {
    return Caption();
}

int AppMessageBox(IDialogPeer* owner, const std::string& text, unsigned style) {
    return Backend().ShowMessageBox(owner, text, Caption(), style);
}

} // namespace fw
