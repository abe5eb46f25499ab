// COutputWnd: the output pane's content: the tabs "Output" and "Debug", each a list view over one
// of the app's output lists through a Qt model, in a monospace font, with a context menu (Copy,
// Clear, Select All). Long lists cost nothing to scroll: the view asks only for visible rows.
#pragma once

#include "app/CQListBox.h"

#include <QAbstractListModel>
#include <QListView>
#include <QTabWidget>

class CMOutputPane;

// The rows of one output list, following its every change.
class COutputListModel : public QAbstractListModel, public Kelvar::Control::IQListBoxView {
    Q_OBJECT
public:
    COutputListModel(Kelvar::Control::CQListBox& list, QObject* parent);
    ~COutputListModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void BeginInsertLines(int first, int last) override;
    void EndInsertLines() override;
    void BeginRemoveLines(int first, int last) override;
    void EndRemoveLines() override;
    void SelectionChanged(int line) override;

signals:
    void selectionMoved(int line);

private:
    Kelvar::Control::CQListBox& m_list;
};

class COutputList : public QListView {
    Q_OBJECT
public:
    COutputList(Kelvar::Control::CQListBox& list, QWidget* parent);

    // The selected lines, one a line.
    QString SelectedText() const;
    void CopySelection() const;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowLine(int line);

    Kelvar::Control::CQListBox& m_list;
    COutputListModel* m_model;
};

class COutputWnd : public QTabWidget {
    Q_OBJECT
public:
    COutputWnd(CMOutputPane& pane, QWidget* parent);

    COutputList* OutputList() const { return m_output; }
    COutputList* DebugList() const { return m_debug; }

private:
    COutputList* m_output;
    COutputList* m_debug;
};
