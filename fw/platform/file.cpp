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

CFile::CopyResult CFile::CopyThroughBuffer(CFile& output, std::size_t count,
                                           std::span<std::byte> buffer) {
    CopyResult result;
    while (result.copied < count) {
        const std::size_t n = Read(buffer.data(), std::min(buffer.size(), count - result.copied));
        if (n == 0) {
            break;
        }
        try {
            output.Write(buffer.data(), n);
        } catch (const CFileException&) {
            result.outputFailed = true;
            break;
        }
        result.copied += n;
    }
    return result;
}
