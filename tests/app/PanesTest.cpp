// The panes' logic: the song tree's order and selection, the musician tree, its sorts and the
// band chosen in the ribbon, and the facts the properties pane shows.
#include "app/CMCommandRouter.h"
#include "app/CMMusicianViewModel.h"
#include "app/CMPropertiesContent.h"
#include "app/CMSongDocument.h"
#include "app/CMSongViewModel.h"
#include "app/CommandIds.h"
#include "settings/CMZimbrelIni.h"
#include "tests/FileContents.h"
#include "tests/PresetBands.h"
#include "tests/TempDir.h"
#include "tests/app/AppFakes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace C = CommandId;
using Texts = std::vector<std::string>;

Texts TextsOf(const std::vector<CMMusicianItem>& items)
{
    Texts texts;
    for (const CMMusicianItem& item : items)
        texts.push_back(item.text.Str());
    return texts;
}

// Carries the Band list command, enabled unless playing.
class BandListCommand : public IMCommandTarget {
public:
    bool playing = false;
    int runs = 0;
    bool OnCommand(int id) override { return id == C::BandList && ++runs; }
    bool OnUpdateCommand(int id, CMCommandUI& ui) const override
    {
        ui.enabled = !playing;
        return id == C::BandList;
    }
};

std::string ValueOf(const CMPropertyList& list, const std::string& name)
{
    for (const CMProperty& property : list)
        if (property.name == name)
            return property.value;
    return "(missing)";
}

}  // namespace

TEST(SongView, TitlesInTheTreesOrderWithTheDocumentSelected)
{
    const TempDir dir;
    const std::string folder = dir.Root() + "/";
    for (const char* name : {"Zulu.zimbrel", "alpha.zimbrel", "Beta.zimbrel", "notes.txt"})
        WriteFileContents(folder + name, "title { x }\n");
    CMSongTree tree = ReadSongTree(folder, "Beta");
    EXPECT_EQ(tree.titles, (std::vector<CMString>{"alpha", "Beta", "Zulu"}));
    EXPECT_EQ(tree.selected, 1);
    EXPECT_EQ(ReadSongTree(folder, "").selected, -1);
    EXPECT_EQ(ReadSongTree(folder, "Missing").selected, -1);
    tree = ReadSongTree(folder + "NoSuchFolder/", "Beta");
    EXPECT_TRUE(tree.titles.empty());
    EXPECT_EQ(tree.selected, -1);
    EXPECT_EQ(SongFilePath(folder, "Beta"), folder + "Beta.zimbrel");
}

TEST(MusicianView, BandsInListOrderAndMusiciansSortedByTheSortCommand)
{
    int changes = 0;
    CMMusicianViewModel model(PresetBands(), [&changes] { ++changes; });
    const auto& roots = model.GetRoots();
    ASSERT_EQ(TextsOf(roots), (Texts{"Bands", "Musicians"}));
    EXPECT_TRUE(roots[0].expanded && roots[1].expanded);
    EXPECT_EQ(TextsOf(roots[0].children), (Texts{"Ashgrove Trio", "Brazilian Trio", "Great Trio",
                                                 "Norvane Trio", "Zimbrel Trio"}));
    const CMMusicianItem& ashgrove = roots[0].children[0];
    EXPECT_EQ(ashgrove.band, PresetBands().GetBands()[0].get());
    EXPECT_FALSE(ashgrove.expanded);
    EXPECT_EQ(TextsOf(ashgrove.children), (Texts{"Tolsen", "Falder", "Pelko"}));
    EXPECT_EQ(ashgrove.children[1].image, CMMusicianImage::Piano);
    EXPECT_EQ(ashgrove.children[2].image, CMMusicianImage::Drums);
    EXPECT_EQ(ashgrove.children[0].player->name, "Tolsen");

    const std::pair<int, Texts> sorts[] = {
        {C::SortAlphabetic,
         {"Dalmo", "Falder", "Garvel", "Ostrin", "Pelko", "Quenby", "Ruvane", "Tolsen", "Vashti"}},
        {C::SortByType,
         {"Dalmo", "Tolsen", "Falder", "Ostrin", "Quenby", "Ruvane", "Vashti", "Garvel", "Pelko"}},
        {C::SortByAccess,
         {"Pelko", "Tolsen", "Dalmo", "Falder", "Garvel", "Ostrin", "Quenby", "Ruvane", "Vashti"}},
        {C::GroupByType, {"Bass", "Piano", "Drums"}},
    };
    for (const auto& [command, order] : sorts) {
        EXPECT_TRUE(model.OnCommand(command));
        EXPECT_EQ(TextsOf(roots[1].children), order) << command;
        for (int id = C::SortAlphabetic; id <= C::GroupByType; ++id) {
            CMCommandUI ui;
            EXPECT_TRUE(model.OnUpdateCommand(id, ui));
            EXPECT_EQ(ui.checked, id == command) << id;
        }
    }
    EXPECT_EQ(TextsOf(roots[1].children[2].children), (Texts{"Garvel", "Pelko"}));
    EXPECT_EQ(changes, 3);                                      // the first sort was already in use
    EXPECT_EQ(TextsOf(roots[0].children)[0], "Ashgrove Trio");  // the bands keep their order

    // Choosing a band in the tree chooses it in the ribbon, unless the list takes no choice.
    FakeControls controls;
    for (const auto& band : PresetBands().GetBands())
        controls.AddItem(C::BandList, CMString((" " + band->GetName().Str()).c_str()));
    CMCommandRouter router;
    BandListCommand bandList;
    router.AddTarget(CMCommandLayer::View, bandList);
    const CMMusicBand& great = *roots[0].children[2].band;
    EXPECT_TRUE(ChooseBandInRibbon(great, controls, router));
    EXPECT_EQ(controls.GetCurSel(C::BandList), 2);
    EXPECT_EQ(bandList.runs, 1);
    bandList.playing = true;
    EXPECT_FALSE(ChooseBandInRibbon(*roots[0].children[4].band, controls, router));
    EXPECT_EQ(controls.GetCurSel(C::BandList), 2);
}

TEST(PropertiesPane, FactsOfASongABandAndAMusician)
{
    CMSongDocument document;
    CMString error;
    ASSERT_TRUE(document.Open(ZIMBREL_SOURCE_DIR "/Data/Example.zimbrel", error));
    CMZimbrelIni settings;
    const CMPropertyList song = SongProperties(document, settings);
    const std::pair<const char*, const char*> expected[] = {
        {"Title", "Example in C"},
        {"Key", "C (none given)"},
        {"Time", "4/4"},
        {"Style", "Medium"},
        {"Tempo", "140 (the Medium preset)"},
        {"Repeats", "Repeat 3 times (the Medium preset)"},
        {"Precount", "1 measure precount"},
        {"Measures", "14"},
        {"Sections", "Intro, A, B, Ending"},
        {"File", ZIMBREL_SOURCE_DIR "/Data/Example.zimbrel"}};
    for (const auto& [name, value] : expected)
        EXPECT_EQ(ValueOf(song, name), value) << name;

    const CMMusicBandList& bands = PresetBands();
    const CMPropertyList band = BandProperties(*bands.FindBand("Zimbrel Trio"));
    EXPECT_EQ(ValueOf(band, "Players"), "Tolsen (bass), Ostrin (piano), Pelko (drums)");
    EXPECT_EQ(ValueOf(band, "Style"), "swing");
    const CMPropertyList tolsen = MusicianProperties(*bands.FindPlayer("Tolsen"), bands);
    EXPECT_EQ(ValueOf(tolsen, "Kind"), "bass");
    EXPECT_EQ(ValueOf(tolsen, "Library size"), "35 phrase patterns");
    EXPECT_EQ(ValueOf(tolsen, "Tempo range"), "10 to 400");
    EXPECT_EQ(ValueOf(tolsen, "Bands"), "Ashgrove Trio, Great Trio, Norvane Trio, Zimbrel Trio");

    CMPropertiesModel model(nullptr);
    model.SetProperties(tolsen);
    EXPECT_EQ(model.GetShown()[0].name, "Name");
    model.OnCommand(C::PropertiesAlphabetical);
    EXPECT_EQ(model.GetShown()[0].name, "Bands");
    CMCommandUI ui;
    model.OnUpdateCommand(C::PropertiesCategorized, ui);
    EXPECT_FALSE(ui.checked);
}
