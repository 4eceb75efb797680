#include "fw/ui_backends/qt/dialog_font.h"

#include <QString>
#include <QStringList>
#include <fontconfig/fontconfig.h>
#include <memory>

namespace fw::qt {

namespace {

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

// The family fontconfig chooses for face when showing Japanese, or empty.
QString MatchJapaneseFamily(const std::string& face) {
    Pattern pattern(FcPatternCreate());
    if (!pattern)
        return {};
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
    FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    Pattern match(FcFontMatch(nullptr, pattern.get(), &result));
    FcChar8* family = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FAMILY, 0, &family) != FcResultMatch)
        return {};
    return QString::fromUtf8(reinterpret_cast<const char*>(family));
}

// Free fonts drawn to the metrics of a Windows dialog font. Where the face
// itself is missing, one of these keeps the template's texts within their
// controls as on Windows; a general Japanese font may be wider, or
// monospaced, and clip the labels.
QStringList MetricCompatibleFamilies(const QString& face) {
    if (face == QStringLiteral("ＭＳ Ｐゴシック") || face == QStringLiteral("MS PGothic"))
        return {QStringLiteral("IPAPGothic")};
    return {};
}

} // namespace

QFont DialogFont(const std::string& face, int pointSize, int weight, bool italic) {
    const QString requested = QString::fromUtf8(face.c_str());
    QStringList families{requested};
    families.append(MetricCompatibleFamilies(requested));
    const QString matched = MatchJapaneseFamily(face);
    if (!matched.isEmpty() && matched != requested)
        families.append(matched);

    QFont font;
    font.setFamilies(families);
    font.setPointSize(pointSize > 0 ? pointSize : 9);
    // Weight 0 is the platform's default (normal); others are the Win32
    // 1..1000 scale, which Qt 6 shares.
    if (weight > 0)
        font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(italic);
    return font;
}

} // namespace fw::qt
