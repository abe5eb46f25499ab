// CRibbonBar: the ribbon across the top of the main window, a widget of our own: a tab row with
// the application button (its "File" menu), the tabs, the quick-access buttons, the "Style" menu
// and the help button; under it the chosen tab's panels. Alt and a tab's letter choose a tab.
#pragma once

#include "gui/Looks.h"

#include <QWidget>

#include <vector>

class CRibbonPanel;
class QAction;
class QButtonGroup;
class QMenu;
class QHBoxLayout;
class QPushButton;
class QStackedWidget;
class QToolButton;

class CRibbonBar : public QWidget {
    Q_OBJECT
public:
    explicit CRibbonBar(QWidget* parent);

    // The application button opens `menu`.
    void SetApplicationMenu(QMenu* menu);
    // A small button at the right of the tab row.
    void AddQuickAccess(QAction* action);
    // A button at the far right of the tab row that opens `menu` ("Style", help).
    void AddRightMenu(const QString& text, const QIcon& icon, QMenu* menu);
    // Adds a tab with `title` ("&Home": Alt+H chooses it); its panels follow with AddPanel.
    void AddTab(const QString& title);
    CRibbonPanel* AddPanel(const QString& caption);

    int TabCount() const;
    QString TabTitle(int index) const;
    int CurrentTab() const;
    void SetCurrentTab(int index);
    // Opens the application menu under its button.
    void ShowApplicationMenu();

    // Colours the ribbon after a change of look.
    void SetLook(const CLook& look);

    // True while small buttons show only their pictures, the window being too narrow.
    bool IsCompact() const { return m_compact; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* m_tabRow;
    QHBoxLayout* m_tabLayout;
    QHBoxLayout* m_quickLayout;
    QToolButton* m_appButton;
    QButtonGroup* m_tabs;
    QStackedWidget* m_pages;
    void SetCompact(bool compact);
    int FullWidth() const;

    std::vector<QHBoxLayout*> m_pageLayouts;
    bool m_compact = false;
};
