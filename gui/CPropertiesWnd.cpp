// The properties pane.
#include "gui/CPropertiesWnd.h"

#include "app/CommandIds.h"
#include "gui/CCommandActions.h"
#include "gui/CMainFrame.h"
#include "gui/CPropertyGrid.h"
#include "gui/PaneLayout.h"
#include "gui/ShownText.h"

#include <QTreeWidget>

namespace C = CommandId;

CPropertiesWnd::CPropertiesWnd(CMainFrame& frame)
    : m_frame(frame), m_model([this] { Fill(); }), m_grid(new CPropertyGrid)
{
    QToolBar* toolbar = LayOutPane(this, m_grid);
    toolbar->addAction(frame.Actions().Action(C::PropertiesCategorized));
    toolbar->addAction(frame.Actions().Action(C::PropertiesAlphabetical));
    frame.Router().AddTarget(CMCommandLayer::Frame, m_model);
}

CPropertiesWnd::~CPropertiesWnd()
{
    m_frame.Router().RemoveTarget(m_model);
}

void CPropertiesWnd::Fill()
{
    m_grid->Clear();
    const bool grouped = m_model.IsCategorized();
    QTreeWidgetItem* group = nullptr;
    QString groupName;
    for (const CMProperty& property : m_model.GetShown()) {
        if (grouped && (!group || groupName != ShownText(property.group))) {
            groupName = ShownText(property.group);
            group = m_grid->AddGroup(groupName);
        }
        m_grid->AddRow(group, ShownText(property.name), ShownText(property.value),
                       ShownText(property.description));
    }
    m_grid->Tree()->setRootIsDecorated(grouped);
    m_grid->FitNames();
}
