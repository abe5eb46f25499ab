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
    const std::vector<Token> title = Scan("title {  My Song  \n Second line\r\n}");
    ASSERT_EQ(title.size(), 5u);
    EXPECT_EQ(title[2].value, "My Song  ");    // leading blanks skipped, trailing kept
    EXPECT_EQ(title[3].value, "Second line");  // a carriage return ends the line too
    EXPECT_EQ(title[3].line, 2);

    const std::vector<Token> slashes = Scan("title { /x / }");
    EXPECT_EQ(slashes[2].value, "/x / ");
    EXPECT_EQ(Codes("title { /* hidden */ shown }"),
              (std::vector<int>{TOK_TITLE, '{', TOK_TITLETEXT, '}'}));

    const std::vector<Token> lyrics = Scan("lyrics { la la / la | li ~ }");
    std::vector<int> codes;
    for (const Token& t : lyrics)
        codes.push_back(t.code);
    EXPECT_EQ(codes, (std::vector<int>{TOK_LYRICS, '{', TOK_LYRICTEXT, '/', TOK_LYRICTEXT, '|',
                                       TOK_LYRICTEXT, '~', '}'}));
    EXPECT_EQ(lyrics[2].value, "la la ");
    EXPECT_EQ(lyrics[6].value, "li ");
}

TEST(Scanner, ChordSymbolsSplitByLongestMatch)
{
    EXPECT_EQ(ChordCodes("Cmaj7"), (std::vector<int>{TOK_ROOT, TOK_MAJ7}));
    EXPECT_EQ(ChordCodes("CM"), (std::vector<int>{TOK_ROOT, TOK_MAJ}));
    EXPECT_EQ(ChordCodes("Cm7b5"), (std::vector<int>{TOK_ROOT, TOK_MIN, TOK_SEVEN, TOK_FLAT5}));
    EXPECT_EQ(ChordCodes("Co7"), (std::vector<int>{TOK_ROOT, TOK_DIM, TOK_SEVEN}));
    EXPECT_EQ(ChordCodes("C7onE"), (std::vector<int>{TOK_ROOT, TOK_SEVEN, TOK_ON, TOK_ROOT}));
    EXPECT_EQ(ChordCodes("C7b"), (std::vector<int>{TOK_ROOT, TOK_SEVEN, TOK_ROOT}));
    EXPECT_EQ(ChordCodes("Bb5"), (std::vector<int>{TOK_ROOT, '5'}));
    EXPECT_EQ(ChordCodes("B-5"), (std::vector<int>{TOK_ROOT, TOK_FLAT5}));
    EXPECT_EQ(ChordCodes("E#9"), (std::vector<int>{TOK_ROOT, TOK_NINE}));
    EXPECT_EQ(ChordCodes("E+9"), (std::vector<int>{TOK_ROOT, TOK_SHARP9}));
    EXPECT_EQ(ChordCodes("C69"), (std::vector<int>{TOK_ROOT, TOK_SIX, TOK_NINE}));
    EXPECT_EQ(ChordCodes("C7#11b13"),
              (std::vector<int>{TOK_ROOT, TOK_SEVEN, TOK_SHARP11, TOK_FLAT13}));
    EXPECT_EQ(ChordCodes("Gsus47"), (std::vector<int>{TOK_ROOT, TOK_SUS, TOK_SEVEN}));
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
    EXPECT_EQ(ChordCodes("CB"), (std::vector<int>{TOK_ROOT, TOK_ROOT}));
    EXPECT_EQ(ChordCodes("C7B9"), (std::vector<int>{TOK_ROOT, TOK_SEVEN, TOK_ROOT, TOK_NINE}));
    EXPECT_EQ(ChordCodes("Intro THEME SecondTheme Coda ENDING InterLude Verse"),
              (std::vector<int>{TOK_INTRO, TOK_THEME, TOK_SECONDTHEME, TOK_CODA, TOK_CODA,
                                TOK_INTERLUDE, TOK_VERSE}));
    // "second theme" in two words is no keyword: s, e, c, on, d, theme.
    EXPECT_EQ(ChordCodes("second theme"),
              (std::vector<int>{'S', TOK_ROOT, TOK_ROOT, TOK_ON, TOK_ROOT, TOK_THEME}));
}

TEST(Scanner, RootAndLabelValues)
{
    const std::vector<Token> tokens = Scan("chord { C Db F# Gu Ax b labelq label7 }");
    EXPECT_EQ(tokens[2].number, 1);
    EXPECT_EQ(tokens[3].number, 2 + 8);
    EXPECT_EQ(tokens[4].number, 4 + 16);
    EXPECT_EQ(tokens[5].number, 5);  // u and x are accepted and add nothing
    EXPECT_EQ(tokens[6].number, 6);
    EXPECT_EQ(tokens[7].number, 7);
    EXPECT_EQ(tokens[8].code, TOK_LABEL);
    EXPECT_EQ(tokens[8].number, 'Q');
    EXPECT_EQ(tokens[9].number, '7');
}

TEST(Scanner, BarSigns)
{
    EXPECT_EQ(ChordCodes("|||"), (std::vector<int>{TOK_FINEBAR}));
    EXPECT_EQ(ChordCodes("||"), (std::vector<int>{TOK_DOUBLEBAR}));
    EXPECT_EQ(ChordCodes("||:"), (std::vector<int>{TOK_DOUBLEBAR, ':'}));
    EXPECT_EQ(
        ChordCodes(". .. , | ! / @ < |: > :|"),
        (std::vector<int>{TOK_DOUBLEBAR, TOK_FINEBAR, TOK_BAR, TOK_BAR, TOK_EXCL, TOK_SLASH, TOK_AT,
                          TOK_REPEATBEGIN, TOK_REPEATBEGIN, TOK_REPEATEND, TOK_REPEATEND}));
    EXPECT_EQ(ChordCodes("> <"), (std::vector<int>{TOK_DOUBLEREPEAT}));
    EXPECT_EQ(ChordCodes("( ) : h"), (std::vector<int>{'(', ')', ':', 'H'}));

    const std::vector<Token> doubleRepeat = Scan("chord {\n:|  \n|: C }");
    EXPECT_EQ(doubleRepeat[2].code, TOK_DOUBLEREPEAT);
    EXPECT_EQ(doubleRepeat[2].text, ":|  \n|:");
    EXPECT_EQ(doubleRepeat[2].line, 3);
    EXPECT_EQ(doubleRepeat[3].line, 3);
}

TEST(Scanner, NoteBlockValues)
{
    const std::vector<Token> tokens = Scan("note { A C#5 Q D E4 H. R Q3 / , | Bu x T..12 }");
    std::vector<int> codes;
    for (const Token& t : tokens)
        codes.push_back(t.code);
    EXPECT_EQ(codes, (std::vector<int>{TOK_NOTE, '{', TOK_PITCH, TOK_PITCH, TOK_DURATION, TOK_PITCH,
                                       TOK_PITCH, TOK_DURATION, TOK_REST, TOK_DURATION, TOK_SLASH,
                                       TOK_BAR, TOK_BAR, TOK_PITCH, TOK_DURATION, '}'}));
    EXPECT_EQ(tokens[2].number, 6 | 3 << 8);              // A, octave 3 before any digit
    EXPECT_EQ(tokens[3].number, 1 | 4 << 4 | 5 << 8);     // C sharp 5
    EXPECT_EQ(tokens[4].number, 2);                       // quarter
    EXPECT_EQ(tokens[5].number, 2 | 5 << 8);              // D keeps octave 5
    EXPECT_EQ(tokens[6].number, 3 | 4 << 8);              // E4
    EXPECT_EQ(tokens[7].number, 1 | 1 << 8);              // dotted half
    EXPECT_EQ(tokens[9].number, 2 | 3 << 16);             // quarter, tuplet 3
    EXPECT_EQ(tokens[13].number, 7 | 1 << 4 | 4 << 8);    // B double flat; x is ignored
    EXPECT_EQ(tokens[14].number, 5 | 2 << 8 | 12 << 16);  // 32nd, two dots, 12
}

TEST(Scanner, MiscAndProgressionBlocks)
{
    const std::vector<Token> misc =
        Scan("misc { tempo = 0160; Composed  By = \"\"; words by = \"Ann\"; medium slow }");
    EXPECT_EQ(misc[2].code, TOK_TEMPO);
    EXPECT_EQ(misc[4].number, 160);
    EXPECT_EQ(misc[6].code, TOK_COMPOSEDBY);
    EXPECT_EQ(misc[8].value, "<null>");
    EXPECT_EQ(misc[10].code, TOK_LYRICSBY);
    EXPECT_EQ(misc[12].value, "Ann");
    EXPECT_EQ(misc[14].code, TOK_MEDIUM);
    EXPECT_EQ(misc[15].code, 'S');  // "medium slow" is two words: medium and stray letters

    EXPECT_EQ(Codes("misc { mediumslow mediumfast veryfast fast ballad precount style repeat }"),
              (std::vector<int>{TOK_MISC, '{', TOK_MEDIUMSLOW, TOK_MEDIUMFAST, TOK_VERYFAST,
                                TOK_FAST, TOK_BALLAD, TOK_PRECOUNT, TOK_STYLE, TOK_REPEAT, '}'}));
    const std::vector<Token> form = Scan("progression { Theme Structure = a b ; intro labelc 4 }");
    EXPECT_EQ(form[2].code, TOK_THEMESTRUCTURE);
    EXPECT_EQ(form[4].code, TOK_LABEL);
    EXPECT_EQ(form[4].number, 'A');
    EXPECT_EQ(form[5].number, 'B');
    EXPECT_EQ(form[7].code, TOK_INTRO);
    EXPECT_EQ(form[8].number, 'C');
    EXPECT_EQ(form[9].number, '4');
}

TEST(Scanner, CommentsCountLinesAndDoNotNest)
{
    const std::vector<Token> tokens = Scan("/* one\n two */ chord /* a /* b */ { C */ }");
    ASSERT_GE(tokens.size(), 3u);
    EXPECT_EQ(tokens[0].code, TOK_CHORD);
    EXPECT_EQ(tokens[0].line, 2);
    EXPECT_EQ(tokens[1].code, '{');
    EXPECT_EQ(tokens[2].code, TOK_ROOT);
    EXPECT_EQ(tokens[3].code, '*');  // the second "*/" is no comment end
    EXPECT_EQ(tokens[4].code, TOK_SLASH);

    const std::vector<Token> open = Scan("chord { C }\n/* never\nclosed");
    ASSERT_EQ(open.back().code, kScannerFailureToken);
    EXPECT_EQ(open.back().text, "");
    EXPECT_EQ(open.back().line, 3);
}
