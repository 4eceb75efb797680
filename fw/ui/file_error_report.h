#pragma once

#include <string>

#include "fw/file/file_exception.h"

namespace fw {

// The text of the general error report for a file error that escaped a
// command handler: the fixed text of its cause with %1 replaced by the
// file's name, or by "無題のﾌｧｲﾙ" where no name is known. Shown once as a
// stop box.
std::string FileErrorReportText(const CFileException& error);

} // namespace fw
