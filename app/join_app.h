#pragma once

#include "fw/core/win_app.h"

// The application: shows the join dialog modally and ends when it closes.
class CJoinApp : public CWinApp {
public:
    CJoinApp();
    ~CJoinApp() override;

    bool InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
