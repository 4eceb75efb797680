#include "intake/default_output_path.h"

#include "fw/platform/desktop_directory.h"
#include "fw/platform/system_code_page.h"
#include "fw/text/char_wise.h"

namespace {

// Characters dropped from the name, so that numbered parts such as
// clip01.mpg, clip02.mpg propose clip.mpg.
constexpr std::string_view kRemovedChars = "0123456789-_";

bool EndsWithSeparator(std::string_view directory, char separator, fw::CodePage codePage) {
    const std::size_t last = fw::FindLastChar(directory, separator, codePage);
    return last != std::string_view::npos && last + 1 == directory.size();
}

} // namespace

std::string MakeOutputPathIn(std::string_view firstInputPath,
                             const std::optional<std::string>& directory, char separator,
                             fw::CodePage codePage) {
    std::string_view name = firstInputPath;
    const std::size_t lastSeparator = fw::FindLastChar(firstInputPath, separator, codePage);
    if (lastSeparator != std::string_view::npos) {
        name.remove_prefix(lastSeparator + 1);
    }
    std::string strippedName = fw::RemoveChars(name, kRemovedChars, codePage);
    if (!directory) {
        return strippedName;
    }
    std::string path = *directory;
    if (!EndsWithSeparator(path, separator, codePage)) {
        path += separator;
    }
    return path + strippedName;
}

std::string MakeDefaultOutputPath(const std::string& firstInputPath) {
    std::optional<std::string> directory = fw::GetDesktopDirectory();
    if (!directory) {
        directory = fw::GetHomeDirectory();
    }
    return MakeOutputPathIn(firstInputPath, directory, fw::kPathSeparator, fw::GetSystemCodePage());
}
