// The song scanner on its own: modes, longest match, case rules, token values, comments and line
// counting, read token by token as the parser would.
#include "music/CMChordLex.h"
#include "music/ChordYacc.hpp"

#define YYSTYPE CHORD_STYPE
#include "music/ChordLex.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Token {
    int code;
    std::string text;   // the token's own text, as an error message would quote it
    int number;         // the value of number tokens
    std::string value;  // the value of text tokens ("<null>" for an empty string literal)
    int line;
};

std::vector<Token> Scan(const std::string& source)
{
    CMChordLex lex(source);
    std::vector<Token> tokens;
    for (;;) {
        CHORD_STYPE value{};
        const int code = chord_lex(&value, lex.GetScanner());
        if (code == 0)
            break;
        Token token{code, lex.GetTokenText(), 0, "", lex.GetLine()};
        if (code == TOK_TITLETEXT || code == TOK_LYRICTEXT || code == TOK_STRING)
            token.value = value.text ? *value.text : "<null>";
        else
            token.number = value.number;
        tokens.push_back(token);
        if (code == kScannerFailureToken)
            break;
    }
    return tokens;
}

std::vector<int> Codes(const std::string& source)
{
    std::vector<int> codes;
    for (const Token& token : Scan(source))
        codes.push_back(token.code);
    return codes;
}

// The codes of a chord block's content, without the block's own tokens.
std::vector<int> ChordCodes(const std::string& content)
{
    std::vector<int> codes = Codes("chord {" + content + "}");
    return std::vector<int>(codes.begin() + 2, codes.end() - 1);
}

}  // namespace

TEST(Scanner, BlockKeywordsAndModes)
{
    EXPECT_EQ(Codes("TITLE{}Lyrics{}chord{}KEY{}note{}Misc{}miscellaneous{}PROGRESSION{}"),
              (std::vector<int>{TOK_TITLE, '{', '}', TOK_LYRICS,      '{', '}', TOK_CHORD, '{', '}',
                                TOK_KEY,   '{', '}', TOK_NOTE,        '{', '}', TOK_MISC,  '{', '}',
                                TOK_MISC,  '{', '}', TOK_PROGRESSION, '{', '}'}));
    for (const char* timeBase : {"time base", "timebase", "TIME   BASE", "Time\tBase"})
        EXPECT_EQ(Codes(timeBase), (std::vector<int>{TOK_TIMEBASE})) << timeBase;
    // Between blocks any other character comes back upper-cased.
    EXPECT_EQ(Codes("x ; chords"), (std::vector<int>{'X', ';', TOK_CHORD, 'S'}));
}

TEST(Scanner, TitleAndLyricRuns)
{
    // How the compiler trims and splits these runs shows in the compile tests; here, what a run
    // is: a title line takes slashes and comment openers, a lyric run stops at / | ~.
    const std::vector<Token> title = Scan("title {  /x /* y */ \r\n}");
    ASSERT_EQ(title.size(), 4u);
    EXPECT_EQ(title[2].value, "/x /* y */ ");  // leading blanks skipped, trailing kept
    EXPECT_EQ(Codes("lyrics { la / la | li ~ }"),
              (std::vector<int>{TOK_LYRICS, '{', TOK_LYRICTEXT, '/', TOK_LYRICTEXT, '|',
                                TOK_LYRICTEXT, '~', '}'}));
}

TEST(Scanner, ChordSymbolsSplitByLongestMatch)
{
    // The common symbols (maj7, m7b5, 7b9, 7#5, sus47, on) show in the golden listings.
    EXPECT_EQ(ChordCodes("CM"), (std::vector<int>{TOK_ROOT, TOK_MAJ}));
    EXPECT_EQ(ChordCodes("Co7"), (std::vector<int>{TOK_ROOT, TOK_DIM, TOK_SEVEN}));
    EXPECT_EQ(ChordCodes("C7b"), (std::vector<int>{TOK_ROOT, TOK_SEVEN, TOK_ROOT}));
    EXPECT_EQ(ChordCodes("B-5"), (std::vector<int>{TOK_ROOT, TOK_FLAT5}));
    EXPECT_EQ(ChordCodes("E#9"), (std::vector<int>{TOK_ROOT, TOK_NINE}));
    EXPECT_EQ(ChordCodes("E+9"), (std::vector<int>{TOK_ROOT, TOK_SHARP9}));
    EXPECT_EQ(ChordCodes("C69"), (std::vector<int>{TOK_ROOT, TOK_SIX, TOK_NINE}));
    EXPECT_EQ(ChordCodes("C7#11b13"),
              (std::vector<int>{TOK_ROOT, TOK_SEVEN, TOK_SHARP11, TOK_FLAT13}));
    EXPECT_EQ(ChordCodes("Caug +"), (std::vector<int>{TOK_ROOT, TOK_AUG, TOK_AUG}));
}

TEST(Scanner, CaseRules)
{
    // A lone M is upper case, a lone m lower case; the other words take any case.
    EXPECT_EQ(ChordCodes("cm"), (std::vector<int>{TOK_ROOT, TOK_MIN}));
    EXPECT_EQ(ChordCodes("CMAJ7 CMaj9 cMIN cDiM cAUG cSUS4 cO C7ON E"),
              (std::vector<int>{TOK_ROOT, TOK_MAJ7, TOK_ROOT, TOK_MAJ9, TOK_ROOT, TOK_MIN, TOK_ROOT,
                                TOK_DIM, TOK_ROOT, TOK_AUG, TOK_ROOT, TOK_SUS, TOK_ROOT, TOK_DIM,
                                TOK_ROOT, TOK_SEVEN, TOK_ON, TOK_ROOT}));
    // Accidentals are lower case only: B9 is B with a ninth, CB two roots.
    EXPECT_EQ(ChordCodes("B9"), (std::vector<int>{TOK_ROOT, TOK_NINE}));
    EXPECT_EQ(ChordCodes("C7B9"), (std::vector<int>{TOK_ROOT, TOK_SEVEN, TOK_ROOT, TOK_NINE}));
    EXPECT_EQ(ChordCodes("Intro THEME SecondTheme Coda ENDING InterLude Verse"),
              (std::vector<int>{TOK_INTRO, TOK_THEME, TOK_SECONDTHEME, TOK_CODA, TOK_CODA,
                                TOK_INTERLUDE, TOK_VERSE}));
}

TEST(Scanner, RootAndLabelValues)
{
    // Named roots and digit labels show in the golden listings.
    const std::vector<Token> tokens = Scan("chord { Gu Ax b labelq }");
    EXPECT_EQ(tokens[2].number, 5);  // u and x are accepted and add nothing
    EXPECT_EQ(tokens[3].number, 6);
    EXPECT_EQ(tokens[4].number, 7);
    EXPECT_EQ(tokens[5].code, TOK_LABEL);
    EXPECT_EQ(tokens[5].number, 'Q');
}

TEST(Scanner, BarSigns)
{
    EXPECT_EQ(ChordCodes("|||"), (std::vector<int>{TOK_FINEBAR}));
    EXPECT_EQ(ChordCodes("||:"), (std::vector<int>{TOK_DOUBLEBAR, ':'}));
    EXPECT_EQ(
        ChordCodes(". .. , | ! / @ < |: > :|"),
        (std::vector<int>{TOK_DOUBLEBAR, TOK_FINEBAR, TOK_BAR, TOK_BAR, TOK_EXCL, TOK_SLASH, TOK_AT,
                          TOK_REPEATBEGIN, TOK_REPEATBEGIN, TOK_REPEATEND, TOK_REPEATEND}));
    EXPECT_EQ(ChordCodes("> <"), (std::vector<int>{TOK_DOUBLEREPEAT}));

    const std::vector<Token> doubleRepeat = Scan("chord {\n:|  \n|: C }");
    EXPECT_EQ(doubleRepeat[2].code, TOK_DOUBLEREPEAT);
    EXPECT_EQ(doubleRepeat[2].text, ":|  \n|:");
    EXPECT_EQ(doubleRepeat[3].line, 3);
}

TEST(Scanner, NoteBlockValues)
{
    // Plain pitches, dots, rests and triplets show in the compile tests.
    const std::vector<Token> tokens = Scan("note { C#5 Bu x T..12 }");
    ASSERT_EQ(tokens.size(), 6u);
    EXPECT_EQ(tokens[2].number, 1 | 4 << 4 | 5 << 8);    // C sharp 5
    EXPECT_EQ(tokens[3].number, 7 | 1 << 4 | 5 << 8);    // B double flat; x is ignored
    EXPECT_EQ(tokens[4].number, 5 | 2 << 8 | 12 << 16);  // 32nd, two dots, 12
}

TEST(Scanner, MiscKeywords)
{
    // Tempo, names, repeat, precount and the other styles show in the compile tests.
    EXPECT_EQ(Codes("misc { mediumslow mediumfast fast medium }"),
              (std::vector<int>{TOK_MISC, '{', TOK_MEDIUMSLOW, TOK_MEDIUMFAST, TOK_FAST, TOK_MEDIUM,
                                '}'}));
}

TEST(Scanner, CommentsCountLinesAndDoNotNest)
{
    // An unclosed comment is the golden song open_comment.
    const std::vector<Token> tokens = Scan("/* one\n two */ chord /* a /* b */ { C */ }");
    ASSERT_GE(tokens.size(), 5u);
    EXPECT_EQ(tokens[0].code, TOK_CHORD);
    EXPECT_EQ(tokens[0].line, 2);
    EXPECT_EQ(tokens[3].code, '*');  // the second "*/" is no comment end
    EXPECT_EQ(tokens[4].code, TOK_SLASH);
}
