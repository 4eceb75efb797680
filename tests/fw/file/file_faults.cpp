#include "tests/fw/file/file_faults.h"

#include <map>

namespace file_faults {
namespace {

struct Fault {
    long osError = 0;
    int skip = 0;
};

std::map<FileOp, Fault> g_armed;

} // namespace

void Inject(FileOp op, long osError, int skip) {
    g_armed[op] = Fault{osError, skip};
}

void Clear() {
    g_armed.clear();
}

long Take(FileOp op) {
    const auto armed = g_armed.find(op);
    if (armed == g_armed.end()) {
        return 0;
    }
    if (armed->second.skip > 0) {
        --armed->second.skip;
        return 0;
    }
    const long error = armed->second.osError;
    g_armed.erase(armed);
    return error;
}

bool IsArmed(FileOp op) {
    return g_armed.contains(op);
}

} // namespace file_faults
