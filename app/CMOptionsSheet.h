// CMOptionsSheet: what the options sheet edits: copies of the settings' general choices (as the
// indexes of the General page's lists), of the renderer's five fonts, of the account and of the
// six tempo presets, and the values of the pages made from whole sections of the settings table.
// The lists, ranges and defaults are the settings table's. Nothing reaches the settings before
// Apply, which the sheet's OK calls; Cancel just drops the copies.
#pragma once

#include "core/CMString.h"
#include "settings/CMFontConfig.h"
#include "settings/CMIniText.h"
#include "settings/CMZimbrelIni.h"

#include <array>
#include <string>
#include <vector>

class CMChartSettings;
struct CMSetting;

// A font as a font chooser takes it: family, size in points, weight (400 normal, 700 bold).
struct CMFontChoice {
    std::string family;
    double points = 0;
    int weight = 400;
    bool italic = false;
};

// The font item of a font group: the height in inches shown in points (72 to the inch).
CMFontChoice FontChoiceOf(const CMFontConfig& font);
// Takes a chosen font back: a weight of 700 or more is bold; the height is kept within the
// setting's range.
void TakeFontChoice(const CMFontChoice& choice, CMFontConfig& font);

// A page of the sheet made from the settings table: one row for each setting of `section`, in
// the table's order, each edited as its kind says.
struct CMSectionPage {
    const char* title;    // its name in the sheet's tree
    const char* section;  // the section of ./Zimbrel.ini it shows
    const char* icon;     // the name of its picture
};

// The section pages the sheet shows after its own four: those of this list whose section the
// settings table holds (a section not yet in the table makes no page).
std::vector<CMSectionPage> SectionPages();

class CMOptionsSheet {
public:
    // The sheet's own pages; the section pages follow them.
    enum Page { GeneralPage, FontPage, AccountPage, TempoPage, kOwnPageCount };
    // The five lists of the General page, in the page's order.
    enum GeneralList {
        InitialZoom,
        Precount,
        UserDefinedKey,
        ChordStyle,
        PrecountNote,
        kListCount
    };

    // Copies of `settings` and of the renderer's `chart` fonts, read now, with the `sections`
    // pages after the four.
    CMOptionsSheet(const CMZimbrelIni& settings, const CMChartSettings& chart,
                   std::vector<CMSectionPage> sections = SectionPages());

    // The setting behind a General list; its items are the list's.
    static const CMSetting& SettingOfList(GeneralList list);

    // The pages' values, edited in place.
    std::array<int, kListCount> listIndex{};  // the chosen item of each General list
    std::vector<CMFontConfig> fonts;          // title, label, lyrics, chord, author
    CMString email;
    CMString password;
    CMString server;
    int port = 0;
    std::array<CMZimbrelTempo, CMZimbrelIni::kTempoCount> tempos;

    const std::vector<CMSectionPage>& Sections() const { return m_sections; }
    // The settings of a section page, in the table's order.
    static std::vector<const CMSetting*> RowsOf(const CMSectionPage& page);
    // A section page's values, as the settings file holds them: read with the store's typed
    // reads (and the setting's Fit), written with its typed writes.
    IMIniStore& SectionValues() { return m_values; }
    const IMIniStore& SectionValues() const { return m_values; }
    // Whether the value of `setting` differs from the one the sheet opened with.
    bool IsChanged(const CMSetting& setting) const;
    // Empty when every value changed on the section pages may be stored; otherwise why the first
    // that may not cannot (the check zimbrel-cli config makes).
    std::string CheckSections() const;

    // Copies every page back into `settings` and `chart` (the chord style into both); saving
    // them is the owner's.
    void Apply(CMZimbrelIni& settings, CMChartSettings& chart) const;

    // The page the sheet opens on: the one active when it was last closed in this run.
    static int RememberedPage();
    static void RememberPage(int page);

private:
    std::vector<CMSectionPage> m_sections;
    CMIniText m_opened;  // the settings and the fonts as the sheet found them
    CMIniText m_values;  // the same, with the section pages' edits
};
