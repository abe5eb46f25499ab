// CMChordLex: see CMChordLex.h. The scanner's handle functions come from the generated code.
#include "music/CMChordLex.h"

#include "music/ChordYacc.hpp"

#define YYSTYPE CHORD_STYPE
#include "music/ChordLex.hpp"

CMChordLex::CMChordLex(std::string_view text)
{
    yyscan_t scanner = nullptr;
    if (chord_lex_init_extra(&m_state, &scanner) != 0)
        throw CMChordLexFatal("out of memory");
    m_scanner = scanner;
    chord__scan_bytes(text.data(), static_cast<int>(text.size()), scanner);
}

CMChordLex::~CMChordLex()
{
    chord_lex_destroy(m_scanner);
}

CMSongToken CMChordLex::Next()
{
    CHORD_STYPE value{};
    CMSongToken token;
    token.code = chord_lex(&value, m_scanner);
    const bool numbered = token.code == TOK_ROOT || token.code == TOK_NUMBER ||
                          token.code == TOK_LABEL || token.code == TOK_PITCH ||
                          token.code == TOK_DURATION;
    token.number = numbered ? value.number : 0;
    token.line = m_state.line;
    token.offset = m_state.tokenStart;
    token.length = m_state.tokenText.size();
    return token;
}
