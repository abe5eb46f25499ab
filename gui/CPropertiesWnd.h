// CPropertiesWnd: the properties pane: a toolbar (Categorized, Alphabetical) over a read-only
// property grid with the facts of the song, band or musician last selected.
#pragma once

#include "app/CMPropertiesContent.h"

#include <QWidget>

class CMainFrame;
class CPropertyGrid;

class CPropertiesWnd : public QWidget {
    Q_OBJECT
public:
    explicit CPropertiesWnd(CMainFrame& frame);
    ~CPropertiesWnd() override;

    void ShowProperties(CMPropertyList properties) { m_model.SetProperties(std::move(properties)); }
    CPropertyGrid* Grid() const { return m_grid; }

private:
    void Fill();

    CMainFrame& m_frame;
    CMPropertiesModel m_model;
    CPropertyGrid* m_grid;
};
