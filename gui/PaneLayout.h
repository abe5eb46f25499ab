// The panes' common shape: a small toolbar of 16-pixel pictures over the pane's content, both
// edge to edge.
#pragma once

#include <QToolBar>
#include <QVBoxLayout>
#include <QWidget>

// Lays out a toolbar over `content` in `pane`; answers the toolbar to fill.
inline QToolBar* LayOutPane(QWidget* pane, QWidget* content)
{
    auto* toolbar = new QToolBar;
    toolbar->setIconSize(QSize(16, 16));
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(content, 1);
    return toolbar;
}
