// Which element goes where: "Home" with the panels "Chart", "Sound" and "System", "Others" with
// "Clipboard" and "View". Texts, pictures and states come from the actions.
#include "gui/RibbonTabs.h"

#include "app/CMCommandTable.h"
#include "app/CommandIds.h"
#include "gui/CCommandActions.h"
#include "gui/RibbonBar.h"
#include "gui/RibbonControls.h"
#include "gui/RibbonPanel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QToolButton>

#include <algorithm>

namespace C = CommandId;

namespace {

class TabBuilder {
public:
    TabBuilder(const CCommandActions& actions, CRibbonControls& controls)
        : m_actions(actions), m_controls(controls)
    {
    }

    QAction* Action(int id) const { return m_actions.Action(id); }

    // The width that the longest caption of a column's labelled elements takes.
    int LabelWidth(CRibbonPanel* panel, std::initializer_list<int> ids) const
    {
        int width = 0;
        for (const int id : ids)
            width = std::max(width, panel->fontMetrics().horizontalAdvance(Action(id)->text()));
        return width + 4;
    }

    QWidget* NumberBox(CRibbonPanel* panel, int id, int labelWidth) const
    {
        auto* box = new CRibbonNumberBox;
        m_controls.AddNumberBox(id, box);
        return panel->Labelled(Action(id), box, labelWidth);
    }

    QWidget* Slider(int id) const
    {
        auto* slider = new CSliderWithButtons;
        slider->setMinimumWidth(120);
        m_controls.AddSlider(id, slider);
        FollowAction(slider, Action(id));
        return slider;
    }

    QWidget* List(CRibbonPanel* panel, int id, int labelWidth,
                  const std::vector<std::string>& items = {}) const
    {
        auto* list = new QComboBox;
        list->setMinimumContentsLength(13);
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        for (const std::string& item : items)
            list->addItem(QString::fromUtf8(item));
        m_controls.AddList(id, list);
        return panel->Labelled(Action(id), list, labelWidth);
    }

private:
    const CCommandActions& m_actions;
    CRibbonControls& m_controls;
};

void BuildChartPanel(CRibbonPanel* panel, const TabBuilder& b)
{
    panel->AddLargeButton(b.Action(C::Refresh));
    const int transposeWidth = b.LabelWidth(panel, {C::TransposeBox});
    panel->AddColumn(
        {b.NumberBox(panel, C::TransposeBox, transposeWidth), b.Slider(C::TransposeSlider)});
    panel->AddColumn({panel->SmallButton(b.Action(C::ConcertKey)),
                      panel->SmallButton(b.Action(C::BbKey)),
                      panel->SmallButton(b.Action(C::EbKey))});
    panel->AddColumn(
        {panel->SmallButton(b.Action(C::UserKey)), panel->SmallButton(b.Action(C::NumberSystem))});
    panel->AddLargeButton(b.Action(C::EditSong));
    panel->AddColumn({panel->CheckButton(b.Action(C::Intro)),
                      panel->CheckButton(b.Action(C::Verse)),
                      panel->CheckButton(b.Action(C::Lyrics))});
}

void BuildSoundPanel(CRibbonPanel* panel, const TabBuilder& b)
{
    panel->AddLargeButton(b.Action(C::Play));
    const int tempoWidth = b.LabelWidth(panel, {C::TempoBox, C::PrecountList});
    panel->AddColumn({b.NumberBox(panel, C::TempoBox, tempoWidth), b.Slider(C::TempoSlider),
                      b.List(panel, C::PrecountList, tempoWidth, PrecountListItems())});
    const int listWidth = b.LabelWidth(panel, {C::MidiOutList, C::BandList, C::RepeatList});
    panel->AddColumn({b.List(panel, C::MidiOutList, listWidth),
                      b.List(panel, C::BandList, listWidth),
                      b.List(panel, C::RepeatList, listWidth, RepeatListItems())});
    panel->AddColumn({panel->CheckButton(b.Action(C::Piano)), panel->CheckButton(b.Action(C::Bass)),
                      panel->CheckButton(b.Action(C::Drums))});
    panel->AddColumn({panel->CheckButton(b.Action(C::NaturalFeel))});
    panel->AddColumn({panel->SmallButton(b.Action(C::TempoBallad)),
                      panel->SmallButton(b.Action(C::TempoMediumSlow)),
                      panel->SmallButton(b.Action(C::TempoMedium))});
    panel->AddColumn({panel->SmallButton(b.Action(C::TempoMediumFast)),
                      panel->SmallButton(b.Action(C::TempoFast)),
                      panel->SmallButton(b.Action(C::TempoVeryFast))});
}

}  // namespace

void BuildRibbonTabs(CRibbonBar& ribbon, const CCommandActions& actions, CRibbonControls& controls)
{
    const TabBuilder b(actions, controls);
    ribbon.AddTab(QObject::tr("&Home"));
    BuildChartPanel(ribbon.AddPanel(QObject::tr("Chart")), b);
    BuildSoundPanel(ribbon.AddPanel(QObject::tr("Sound")), b);
    ribbon.AddPanel(QObject::tr("System"))->AddLargeButton(b.Action(C::Options));

    ribbon.AddTab(QObject::tr("&Others"));
    CRibbonPanel* clipboard = ribbon.AddPanel(QObject::tr("Clipboard"));
    clipboard->AddLargeButton(b.Action(C::EditPaste));
    clipboard->AddColumn({clipboard->SmallButton(b.Action(C::EditCut)),
                          clipboard->SmallButton(b.Action(C::EditCopy)),
                          clipboard->SmallButton(b.Action(C::EditSelectAll))});
    CRibbonPanel* view = ribbon.AddPanel(QObject::tr("View"));
    view->AddColumn({view->CheckButton(b.Action(C::ViewStatusBar)),
                     view->CheckButton(b.Action(C::ViewProperties)),
                     view->CheckButton(b.Action(C::ViewOutput))});
    view->AddColumn({view->CheckButton(b.Action(C::ViewSongView)),
                     view->CheckButton(b.Action(C::ViewMusicianView)),
                     view->CheckButton(b.Action(C::ViewNetworkView))});
}
