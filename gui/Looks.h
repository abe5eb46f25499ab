// The looks on Qt: for each look identifier a Qt style, a palette and the ribbon's own colours.
#pragma once

#include <QColor>
#include <QPalette>
#include <QString>

struct CRibbonColours {
    QColor tabRow;   // behind the tabs
    QColor panel;    // behind the panels
    QColor caption;  // panel captions
    QColor border;   // lines between panels and around the ribbon
    QColor accent;   // the application button and the chosen tab's mark
    QColor accentText;
};

struct CLook {
    QString styleName;  // a style QStyleFactory knows
    QPalette palette;
    CRibbonColours ribbon;
};

// The look of `id` (one of the table's); the default look for any other number.
CLook LookFor(int id);
