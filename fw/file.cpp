// The parts of CFile that do not depend on the platform.
#include "fw/file.h"

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
