#pragma once

#include <QFont>
#include <string>

namespace fw::qt {

// The font a dialog template names, at its point size. Where the face is
// not installed, a free font with its metrics stands in if there is one;
// otherwise fontconfig picks the closest font for Japanese text (its
// own aliases first, so a user's substitution for the face is honoured),
// since every text the program shows is Japanese.
QFont DialogFont(const std::string& face, int pointSize, int weight, bool italic);

} // namespace fw::qt
