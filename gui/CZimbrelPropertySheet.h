// CZimbrelPropertySheet: the options sheet: a tree with the category "Settings" and its pages
// "General", "Font", "Account" and "Tempo", then the pages made from sections of the settings
// table, at the left, the chosen page at the right, OK and Cancel. It edits the copies of a
// CMOptionsSheet; the caller applies them on OK. The page shown when it closes is the one it opens
// on next time in this run.
#pragma once

#include <QDialog>

class CMOptionsSheet;
class QStackedWidget;
class QTreeWidget;

class CZimbrelPropertySheet : public QDialog {
    Q_OBJECT
public:
    CZimbrelPropertySheet(CMOptionsSheet& sheet, QWidget* parent = nullptr);

    QTreeWidget* Pages() const { return m_tree; }
    QStackedWidget* Stack() const { return m_stack; }
    void ShowPage(int page);

    // OK closes only when every value may be stored; the sheet's page is remembered.
    void done(int result) override;

private:
    CMOptionsSheet& m_sheet;
    QTreeWidget* m_tree;
    QStackedWidget* m_stack;
};
