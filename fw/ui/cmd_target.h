#pragma once

#include "fw/ui/ui_types.h"

// Static message tables: each class that handles commands or window messages
// declares DECLARE_MESSAGE_MAP() and defines its table in its source file:
//
//   BEGIN_MESSAGE_MAP(CJoinDlg, CDialog)
//       ON_WM_PAINT()
//       ON_BN_CLICKED(1000, &CJoinDlg::OnMoveUp)
//   END_MESSAGE_MAP()
//
// The framework looks entries up through the virtual GetMessageMap(),
// searching the class's table first and then its bases' tables.

class CCmdTarget;

namespace fw {

using PMsgVoid = void (CCmdTarget::*)();
using PMsgIcon = IconHandle (CCmdTarget::*)();

struct MessageMapEntry {
    unsigned message; // kWmCommand or a window message; 0 ends the table
    unsigned code;    // notification code for kWmCommand
    int id;           // control id for kWmCommand
    PMsgVoid pfnVoid; // handler taking and returning nothing
    PMsgIcon pfnIcon; // handler returning an icon (query drag icon)
};

struct MessageMap {
    const MessageMap* (*pfnGetBaseMap)(); // null for the root
    const MessageMapEntry* entries;
};

// The first entry for the message (and, for kWmCommand, the notification
// code and control id) in map or its bases, or null.
const MessageMapEntry* FindMessageEntry(const MessageMap* map, unsigned message, unsigned code,
                                        int id);

} // namespace fw

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const ::fw::MessageMap* GetThisMessageMap();                                            \
    const ::fw::MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const ::fw::MessageMap* theClass::GetMessageMap() const {                                      \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const ::fw::MessageMap* theClass::GetThisMessageMap() {                                        \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        using TheBaseClass = baseClass;                                                            \
        static const ::fw::MessageMapEntry kEntries[] = {

#define END_MESSAGE_MAP()                                                                          \
    {                                                                                              \
        0, 0, 0, nullptr, nullptr                                                                  \
    }                                                                                              \
    }                                                                                              \
    ;                                                                                              \
    static const ::fw::MessageMap kMap = {&TheBaseClass::GetThisMessageMap, kEntries};             \
    return &kMap;                                                                                  \
    }

#define ON_COMMAND(id, memberFxn)                                                                  \
    {::fw::kWmCommand, ::fw::kBnClicked, (id), static_cast<::fw::PMsgVoid>(memberFxn), nullptr},

#define ON_BN_CLICKED(id, memberFxn) ON_COMMAND(id, memberFxn)

#define ON_WM_PAINT()                                                                              \
    {::fw::kWmPaint, 0, 0, static_cast<::fw::PMsgVoid>(&ThisClass::OnPaint), nullptr},

#define ON_WM_QUERYDRAGICON()                                                                      \
    {::fw::kWmQueryDragIcon, 0, 0, nullptr,                                                        \
     static_cast<::fw::PMsgIcon>(&ThisClass::OnQueryDragIcon)},

// The root of every class with a message table.
class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Runs the handler the tables name for a command (button click) from
    // control id; false when no table names one.
    virtual bool OnCmdMsg(int id, unsigned code);

    // Shows the wait cursor until the matching EndWaitCursor.
    void BeginWaitCursor();
    void EndWaitCursor();

protected:
    static const ::fw::MessageMap* GetThisMessageMap();
    virtual const ::fw::MessageMap* GetMessageMap() const;
};
