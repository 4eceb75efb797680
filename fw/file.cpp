// The parts of CFile that do not depend on the platform.
#include "fw/file.h"

bool CFile::IsOpen() const noexcept {
    return m_impl != nullptr;
}

const std::string& CFile::GetFilePath() const noexcept {
    return m_strFileName;
}
