#pragma once

namespace fw::qt {

// Whether a D-Bus session bus can be reached without starting one: its
// address is set, or the user's runtime folder holds its socket.
bool HasSessionBus();

} // namespace fw::qt
