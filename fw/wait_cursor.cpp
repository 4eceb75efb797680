#include "fw/wait_cursor.h"

#include "fw/ui_backend.h"

CWaitCursor::CWaitCursor() {
    fw::Backend().BeginWaitCursor();
}

CWaitCursor::~CWaitCursor() {
    fw::Backend().EndWaitCursor();
}
