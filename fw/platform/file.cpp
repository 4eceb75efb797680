// The parts of CFile that do not depend on the platform.
#include "fw/file/file.h"

#include <algorithm>
#include <utility>

CFile::CFile() noexcept = default;

CFile::~CFile() {
    Abort();
}

bool CFile::IsOpen() const noexcept {
    return m_impl != nullptr;
}

const std::string& CFile::GetFilePath() const noexcept {
    return m_strFileName;
}

std::size_t CFile::CopyThroughBuffer(CFile& output, std::size_t count,
                                     std::span<std::byte> buffer) {
    std::size_t copied = 0;
    while (copied < count) {
        const std::size_t n = Read(buffer.data(), std::min(buffer.size(), count - copied));
        if (n == 0) {
            break;
        }
        output.Write(buffer.data(), n);
        copied += n;
    }
    return copied;
}
