// CPropertyGrid: properties in two columns, "Property" and "Value", in groups, with a description
// area under them that explains the current row. A value is text, or a widget that edits it;
// rows whose value differs from the one they started with are shown in bold.
#pragma once

#include <QWidget>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

class CPropertyGrid : public QWidget {
    Q_OBJECT
public:
    explicit CPropertyGrid(QWidget* parent = nullptr);

    void Clear();
    // A group's row, expanded.
    QTreeWidgetItem* AddGroup(const QString& name);
    // A row under `group` (at the top level without one) with a text value.
    QTreeWidgetItem* AddRow(QTreeWidgetItem* group, const QString& name, const QString& value,
                            const QString& description);
    // A row whose value `editor` shows and edits; the grid owns the editor.
    QTreeWidgetItem* AddEditorRow(QTreeWidgetItem* group, const QString& name, QWidget* editor,
                                  const QString& description);
    void SetModified(QTreeWidgetItem* row, bool modified);
    // Sizes the name column to its longest name.
    void FitNames();
    QTreeWidget* Tree() const { return m_tree; }

private:
    void ShowDescription(QTreeWidgetItem* row);

    QTreeWidget* m_tree;
    QLabel* m_description;
};
