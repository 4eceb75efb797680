#include "app/join_app.h"

// The one application object. This file is compiled into each program that
// links korvane_app (see app/CMakeLists.txt), so the object always exists
// before the program's entry runs.
CJoinApp theApp;
