#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "fw/text/code_page.h"

// The output path proposed for a join: the file name of the first input
// (the part after its last separator) without digits, hyphens and
// underscores, in the user's desktop directory. Where there is no desktop
// directory the home directory is used, and failing that the bare name.
std::string MakeDefaultOutputPath(const std::string& firstInputPath);

// The character-wise work of MakeDefaultOutputPath for a given directory
// (none: the bare name), separator and code page. Separators and removed
// characters are matched per character, never inside a multibyte character.
// The separator is not doubled when the directory already ends with it.
std::string MakeOutputPathIn(std::string_view firstInputPath,
                             const std::optional<std::string>& directory, char separator,
                             fw::CodePage codePage);
