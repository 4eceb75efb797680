#include "fw/ui/cmd_target.h"

#include "fw/ui/ui_backend.h"

namespace fw {

const MessageMapEntry* FindMessageEntry(const MessageMap* map, unsigned message, unsigned code,
                                        int id) {
    for (; map != nullptr; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const MessageMapEntry* entry = map->entries; entry->message != 0; ++entry) {
            if (entry->message != message)
                continue;
            if (message == kWmCommand && (entry->code != code || entry->id != id))
                continue;
            return entry;
        }
    }
    return nullptr;
}

} // namespace fw

const fw::MessageMap* CCmdTarget::GetThisMessageMap() {
    static const fw::MessageMapEntry kEntries[] = {{0, 0, 0, nullptr, nullptr}};
    static const fw::MessageMap kMap = {nullptr, kEntries};
    return &kMap;
}

const fw::MessageMap* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

bool CCmdTarget::OnCmdMsg(int id, unsigned code) {
    const fw::MessageMapEntry* entry =
        fw::FindMessageEntry(GetMessageMap(), fw::kWmCommand, code, id);
    if (entry == nullptr || entry->pfnVoid == nullptr)
        return false;
    (this->*entry->pfnVoid)();
    return true;
}

void CCmdTarget::BeginWaitCursor() {
    fw::Backend().BeginWaitCursor();
}

void CCmdTarget::EndWaitCursor() {
    fw::Backend().EndWaitCursor();
}
