#include "app/join_dialog_template.h"

#include <cstdint>

#include "fw/ui/win32_values.h"

namespace {

fw::DialogTemplate BuildJoinDialogTemplate() {
    fw::DialogTemplate t;
#define KV_DIALOG(id_, x_, y_, cx_, cy_, style_, exStyle_, caption_, pointSize_, face_, weight_,   \
                  italic_, charset_)                                                               \
    t.id = (id_);                                                                                  \
    t.x = (x_);                                                                                    \
    t.y = (y_);                                                                                    \
    t.cx = (cx_);                                                                                  \
    t.cy = (cy_);                                                                                  \
    t.style = static_cast<std::uint32_t>(style_);                                                  \
    t.exStyle = static_cast<std::uint32_t>(exStyle_);                                              \
    t.caption = (caption_);                                                                        \
    t.pointSize = (pointSize_);                                                                    \
    t.fontFace = (face_);                                                                          \
    t.fontWeight = (weight_);                                                                      \
    t.fontItalic = (italic_) != 0;
#define KV_BEGIN_CONTROLS
#define KV_CONTROL(id_, class_, text_, style_, x_, y_, cx_, cy_)                                   \
    t.controls.push_back(fw::DialogControl{                                                        \
        (id_), (class_), (text_), static_cast<std::uint32_t>(style_), (x_), (y_), (cx_), (cy_)});
#define KV_LABEL_FOR(id_) t.controls.back().labelFor = (id_);
#define KV_END_CONTROLS
#include "res/dialog_102.inc"
#undef KV_DIALOG
#undef KV_BEGIN_CONTROLS
#undef KV_CONTROL
#undef KV_LABEL_FOR
#undef KV_END_CONTROLS
    return t;
}

} // namespace

const fw::DialogTemplate& JoinDialogTemplate() {
    static const fw::DialogTemplate kTemplate = BuildJoinDialogTemplate();
    return kTemplate;
}

void RegisterJoinDialogTemplate() {
    fw::RegisterDialogTemplate(JoinDialogTemplate());
}
