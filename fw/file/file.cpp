// The parts of CFile that do not depend on the platform.
#include "fw/file/file.h"

#include <algorithm>
#include <utility>

CFile::CFile() noexcept = default;

CFile::~CFile() {
    Abort();
}

CFile::CFile(CFile&& other) noexcept
    : m_impl(std::move(other.m_impl)), m_strFileName(std::move(other.m_strFileName)) {
    other.m_strFileName.clear();
}

CFile& CFile::operator=(CFile&& other) noexcept {
    if (this != &other) {
        Abort();
        m_impl = std::move(other.m_impl);
        m_strFileName = std::move(other.m_strFileName);
        other.m_strFileName.clear();
    }
    return *this;
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
