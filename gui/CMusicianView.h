// CMusicianView: the musician view pane: a toolbar whose drop-down button carries the sort menu
// (showing the current sort's picture) and the tree of bands and musicians of the frame's band
// list. Selecting a band chooses it in the ribbon's Band list.
#pragma once

#include "app/CMMusicianViewModel.h"

#include <QWidget>

class CMainFrame;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

class CMusicianView : public QWidget {
    Q_OBJECT
public:
    explicit CMusicianView(CMainFrame& frame);
    ~CMusicianView() override;

    QTreeWidget* Tree() const { return m_tree; }
    QToolButton* SortButton() const { return m_sortButton; }

signals:
    // The user selected a band or a musician (the other is null), or neither.
    void selected(const CMMusicBand* band, const CMMusicPlayer* player);

private:
    void Fill();
    void AddItems(QTreeWidgetItem* parent, const std::vector<CMMusicianItem>& items);
    void OnSelectionChanged();

    CMainFrame& m_frame;
    CMMusicianViewModel m_model;
    QTreeWidget* m_tree;
    QToolButton* m_sortButton;
};
