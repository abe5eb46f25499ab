/* The song grammar: an LALR(1) parser over the tokens of the song scanner. Its actions fill the
 * song under construction through CMChordYacc, which holds the parser's flags and scratch item.
 * There are no error rules: the first error stops the parse and is the one reported. */

%require "3.8"
%define api.pure full
%define api.prefix {chord_}
%define api.token.prefix {TOK_}
%define parse.error simple

%code requires {
#include <string>
class CMChordYacc;
typedef void* yyscan_t;
// Stack growth in a C++ build needs trivially copyable values.
#define CHORD_STYPE_IS_TRIVIAL 1
}

%code {
#include "music/CMChordYacc.h"

int chord_lex(CHORD_STYPE* value, yyscan_t scanner);

static void chord_error(yyscan_t, CMChordYacc& parser, const char* message)
{
    parser.SyntaxError(message);
}

// The parser stack starts with room for 200 states and may grow to 10,000.
#define YYINITDEPTH 200
#define YYMAXDEPTH 10000
}

%lex-param {yyscan_t scanner}
%parse-param {yyscan_t scanner} {CMChordYacc& parser}

%union {
    int number;
    const std::string* text;
}

/* Named tokens in code order, from 258. */
%token MAJ MIN DIM AUG SUS SIX SEVEN MAJ7 MAJ9 FLAT5 SHARP5 FLAT9 NINE SHARP9 ELEVEN SHARP11
%token FLAT13 THIRTEEN ON BAR SLASH REST TITLE LYRICS CHORD KEY TIMEBASE NOTE MISC PROGRESSION
%token TEMPO REPEAT COMPOSEDBY LYRICSBY PRECOUNT STYLE BALLAD MEDIUMSLOW MEDIUM MEDIUMFAST FAST
%token VERYFAST REPEATBEGIN REPEATEND DOUBLEREPEAT DOUBLEBAR FINEBAR EXCL AT INTRO VERSE THEME
%token SECONDTHEME INTERLUDE CODA THEMESTRUCTURE
%token <number> ROOT NUMBER PITCH DURATION LABEL
%token <text> TITLETEXT LYRICTEXT STRING

%type <number> opt_duration style label_name label_def quality seventh tensions tension on_bass

%%

song
    : %empty
    | song section
    ;

section
    : TITLE '{' title_lines '}'
    | LYRICS '{' lyric_lines '}'
    | CHORD '{' { parser.BeginChordBlock(false); } chord_items '}'
    | KEY '{' { parser.BeginChordBlock(true); } chord_items '}'
    | TIMEBASE '{' time_items '}'
    | NOTE '{' note_items '}'
    | MISC '{' misc_items '}'
    | PROGRESSION '{' theme_structure label_seq '}'
    ;

title_lines
    : %empty
    | title_lines TITLETEXT     { parser.AddTitleLine(*$2); }
    ;

lyric_lines
    : %empty
    | lyric_lines LYRICTEXT     { parser.AddLyricLine(*$2); }
    | lyric_lines '~'           { parser.AddLyricLine("~"); }
    | lyric_lines '/'           { parser.AddLyricLine("/"); }
    | lyric_lines '|'           { parser.AddLyricLine("|"); }
    ;

time_items
    : %empty
    | time_items time_item
    ;

time_item
    : BAR                       { parser.AddTimeBase(0, 0); }
    | NUMBER '/' NUMBER         { parser.AddTimeBase($1, $3); }
    ;

note_items
    : %empty
    | note_items note_item
    ;

note_item
    : SLASH                     { parser.AddNoteRest(CMChordYacc::kQuarterDuration); }
    | SLASH DURATION            { parser.AddNoteRest($2); }
    | REST opt_duration         { parser.AddNoteRest($2); }
    | BAR                       { parser.AddNoteBar(); }
    | PITCH opt_duration        { parser.AddNotePitch($1, $2); }
    ;

opt_duration
    : %empty                    { $$ = parser.LastDuration(); }
    | DURATION                  { $$ = parser.SetLastDuration($1); }
    ;

misc_items
    : %empty
    | misc_items misc_item
    ;

misc_item
    : TEMPO '=' NUMBER ';'          { parser.SetTempo($3); }
    | REPEAT '=' NUMBER ';'         { parser.SetRepeat($3); }
    | COMPOSEDBY '=' STRING ';'     { parser.SetComposer($3); }
    | LYRICSBY '=' STRING ';'       { parser.SetLyricist($3); }
    | PRECOUNT '=' NUMBER ';'       { parser.SetPrecount($3); }
    | STYLE '=' style ';'           { parser.SetStyle($3); }
    ;

style
    : BALLAD        { $$ = 0; }
    | MEDIUMSLOW    { $$ = 1; }
    | MEDIUM        { $$ = 2; }
    | MEDIUMFAST    { $$ = 3; }
    | FAST          { $$ = 4; }
    | VERYFAST      { $$ = 5; }
    ;

theme_structure
    : %empty
    | THEMESTRUCTURE '=' { parser.BeginThemeStructure(); } label_seq ';' { parser.EndThemeStructure(); }
    ;

label_seq
    : %empty
    | label_seq label_name      { if (!parser.AddFormLabel($2)) YYABORT; }
    ;

label_name
    : INTRO         { $$ = 9; }
    | VERSE         { $$ = 10; }
    | THEME         { $$ = 11; }
    | SECONDTHEME   { $$ = 12; }
    | INTERLUDE     { $$ = 13; }
    | CODA          { $$ = 14; }
    | LABEL         { $$ = CMChordYacc::LabelCode($1); }
    ;

label_def
    : label_name ':'            { $$ = $1; }
    ;

chord_items
    : %empty
    | chord_items chord_item
    ;

chord_item
    : SLASH                     { parser.AddSlash(); }
    | BAR                       { parser.AddBar(0); }
    | DOUBLEBAR                 { parser.AddBar(2); }
    | FINEBAR                   { parser.AddBar(3); }
    | REPEATBEGIN               { parser.AddRepeatBegin(); }
    | REPEATEND                 { parser.AddBar(5); }
    | DOUBLEREPEAT              { parser.AddBar(6); }
    | EXCL                      { parser.AddBar(7); }
    | AT                        { if (!parser.AddCodaMark()) YYABORT; }
    | label_def                 { parser.AddLabel($1); }
    | ROOT quality seventh tensions on_bass { parser.AddChord($1, $2, $3, $4, $5); }
    | '('                       { parser.SetParenthesis(true); }
    | ')'                       { parser.SetParenthesis(false); }
    ;

quality
    : %empty        { $$ = 0; }
    | MAJ           { $$ = 0; }
    | MIN           { $$ = 1; }
    | DIM           { $$ = 2; }
    | AUG           { $$ = 3; }
    | SUS           { $$ = 4; }
    ;

seventh
    : %empty        { $$ = -1; }
    | SEVEN         { $$ = 0; }
    | MAJ7          { $$ = 1; }
    | MAJ9          { $$ = 2; }
    ;

tensions
    : %empty                    { $$ = 0; }
    | tensions tension          { $$ = $1 | $2; }
    ;

tension
    : FLAT5         { $$ = 1; }
    | SHARP5        { $$ = 2; }
    | SIX           { $$ = 4; }
    | FLAT9         { $$ = 8; }
    | NINE          { $$ = 16; }
    | SHARP9        { $$ = 32; }
    | ELEVEN        { $$ = 64; }
    | SHARP11       { $$ = 128; }
    | FLAT13        { $$ = 256; }
    | THIRTEEN      { $$ = 512; }
    ;

on_bass
    : %empty        { $$ = -1; }
    | ON ROOT       { $$ = $2; }
    ;

%%
