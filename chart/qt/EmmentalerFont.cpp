// CMEmmentalerFont: the search for the font file and the look-up of glyphs by name.
#include "chart/qt/EmmentalerFont.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <glob.h>

#include <cstdlib>
#include <string>

namespace {

// The design size whose proportions suit the chart; every size has all glyphs.
constexpr const char* kSearchPatterns[] = {
    "/usr/share/lilypond/*/fonts/otf/emmentaler-20.otf",
    "/usr/local/share/lilypond/*/fonts/otf/emmentaler-20.otf",
};

// Glyph outlines are read at this many pixels to the em, four staff spaces.
constexpr double kPixelsPerEm = 1000;
constexpr double kPixelsPerStaffSpace = kPixelsPerEm / 4;

QString FindFontFile(QString& searched)
{
    if (const char* chosen = std::getenv("ZIMBREL_MUSIC_FONT")) {
        searched = QString::fromLocal8Bit(chosen);
        return searched;
    }
    QStringList places;
    QString found;
    for (const char* pattern : kSearchPatterns) {
        places << QString::fromLatin1(pattern);
        glob_t matches{};
        if (glob(pattern, 0, nullptr, &matches) == 0 && matches.gl_pathc > 0)
            found = QString::fromLocal8Bit(matches.gl_pathv[matches.gl_pathc - 1]);  // newest
        globfree(&matches);
        if (!found.isEmpty())
            break;
    }
    searched = found.isEmpty() ? places.join(", ") : found;
    return found;
}

}  // namespace

// FreeType reads the glyph names that Qt does not offer.
struct CMEmmentalerFont::GlyphNames {
    struct LibraryCloser {
        void operator()(FT_Library library) const { FT_Done_FreeType(library); }
    };
    struct FaceCloser {
        void operator()(FT_Face face) const { FT_Done_Face(face); }
    };
    std::unique_ptr<FT_LibraryRec_, LibraryCloser> library;
    std::unique_ptr<FT_FaceRec_, FaceCloser> face;

    static std::unique_ptr<GlyphNames> Open(const QByteArray& path)
    {
        auto names = std::make_unique<GlyphNames>();
        FT_Library library = nullptr;
        if (FT_Init_FreeType(&library) != 0)
            return nullptr;
        names->library.reset(library);
        FT_Face face = nullptr;
        if (FT_New_Face(library, path.constData(), 0, &face) != 0)
            return nullptr;
        names->face.reset(face);
        return FT_HAS_GLYPH_NAMES(face) ? std::move(names) : nullptr;
    }
    unsigned Index(const char* name) const
    {
        return FT_Get_Name_Index(face.get(), const_cast<FT_String*>(name));
    }
};

CMEmmentalerFont::CMEmmentalerFont()
{
    const QString path = FindFontFile(m_where);
    if (path.isEmpty())
        return;
    const int id = QFontDatabase::addApplicationFont(path);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (id < 0 || families.isEmpty())
        return;
    QFont font(families.first());
    font.setPixelSize(static_cast<int>(kPixelsPerEm));
    m_raw = QRawFont::fromFont(font);
    if (!m_raw.familyName().startsWith(QLatin1String("Emmentaler")))
        m_raw = QRawFont();
    m_names = GlyphNames::Open(QFile::encodeName(path));
}

CMEmmentalerFont::~CMEmmentalerFont() = default;

QPainterPath CMEmmentalerFont::Outline(const char* glyphName) const
{
    if (!IsLoaded())
        return QPainterPath();
    const unsigned index = m_names->Index(glyphName);
    if (index == 0)
        return QPainterPath();
    QTransform toStaffSpaces;
    toStaffSpaces.scale(1 / kPixelsPerStaffSpace, 1 / kPixelsPerStaffSpace);
    return toStaffSpaces.map(m_raw.pathForGlyph(index));
}
