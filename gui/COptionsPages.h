// The options sheet's four pages over the sheet's copies (CMOptionsSheet): "General" with its five
// lists, "Font" with the renderer's five fonts in a property grid (a font and a colour chooser
// each), "Account" with the e-mail, the masked password and the server, and "Tempo" with the six
// presets in a property grid, and the pages made from a section of the settings table, one row
// for each of its settings. Each page writes into the copies as the user edits.
#pragma once

#include <QWidget>

class CMOptionsSheet;
class CPropertyGrid;
class QTreeWidgetItem;
struct CMSectionPage;
struct CMSetting;

class CPropGeneral : public QWidget {
    Q_OBJECT
public:
    CPropGeneral(CMOptionsSheet& sheet, QWidget* parent = nullptr);
};

class CPropFont : public QWidget {
    Q_OBJECT
public:
    CPropFont(CMOptionsSheet& sheet, QWidget* parent = nullptr);
    CPropertyGrid* Grid() const { return m_grid; }

private:
    void AddFontGroup(int index);

    CMOptionsSheet& m_sheet;
    CPropertyGrid* m_grid;
};

class CPropAccount : public QWidget {
    Q_OBJECT
public:
    CPropAccount(CMOptionsSheet& sheet, QWidget* parent = nullptr);
};

class CPropTempo : public QWidget {
    Q_OBJECT
public:
    CPropTempo(CMOptionsSheet& sheet, QWidget* parent = nullptr);
    CPropertyGrid* Grid() const { return m_grid; }

private:
    CPropertyGrid* m_grid;
};

// A section of the settings table in a property grid: each setting a row named by its key, with
// its description, edited by a control of its kind (a check box, a number box within its range,
// a list of its items, a text field).
class CPropSection : public QWidget {
    Q_OBJECT
public:
    CPropSection(CMOptionsSheet& sheet, const CMSectionPage& page, QWidget* parent = nullptr);
    CPropertyGrid* Grid() const { return m_grid; }

private:
    QWidget* EditorOf(const CMSetting& setting, QTreeWidgetItem* row);

    CMOptionsSheet& m_sheet;
    CPropertyGrid* m_grid;
};
