// CMOptionsSheet: what the options sheet edits: copies of the settings' general choices (as the
// indexes of the General page's lists), of the renderer's five fonts, of the account and of the
// six tempo presets. The lists, ranges and defaults are the settings table's. Nothing reaches
// the settings before Apply, which the sheet's OK calls; Cancel just drops the copies.
#pragma once

#include "core/CMString.h"
#include "settings/CMFontConfig.h"
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

class CMOptionsSheet {
public:
    enum Page { GeneralPage, FontPage, AccountPage, TempoPage, kPageCount };
    // The five lists of the General page, in the page's order.
    enum GeneralList {
        InitialZoom,
        Precount,
        UserDefinedKey,
        ChordStyle,
        PrecountNote,
        kListCount
    };

    // Copies of `settings` and of the renderer's `chart` fonts, read now.
    CMOptionsSheet(const CMZimbrelIni& settings, const CMChartSettings& chart);

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

    // Copies every page back into `settings` and `chart` (the chord style into both); saving
    // them is the owner's.
    void Apply(CMZimbrelIni& settings, CMChartSettings& chart) const;

    // The page the sheet opens on: the one active when it was last closed in this run.
    static int RememberedPage();
    static void RememberPage(int page);
};
