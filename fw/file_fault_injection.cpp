#include "fw/file_fault_injection.h"

#include <array>
#include <cstddef>

namespace fw {
namespace {

struct Fault {
    bool armed = false;
    long osError = 0;
    int skip = 0;
};

std::array<Fault, 6> g_faults;

Fault& FaultOf(FileOp op) {
    return g_faults[static_cast<std::size_t>(op)];
}

} // namespace

namespace testing {

void InjectFileFault(FileOp op, long osError, int skip) {
    FaultOf(op) = Fault{true, osError, skip};
}

void ClearFileFaults() {
    g_faults = {};
}

} // namespace testing

long TakeFileFault(FileOp op) {
    Fault& fault = FaultOf(op);
    if (!fault.armed) {
        return 0;
    }
    if (fault.skip > 0) {
        --fault.skip;
        return 0;
    }
    fault.armed = false;
    return fault.osError;
}

bool IsFileFaultArmed(FileOp op) {
    return FaultOf(op).armed;
}

} // namespace fw
