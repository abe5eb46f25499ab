// CRibbonPanel: one captioned group of a ribbon tab: large buttons side by side and columns of
// up to three small elements (buttons, check buttons, labelled number boxes, sliders and lists),
// with the caption centred under them.
#pragma once

#include <QWidget>

#include <initializer_list>

class QAction;
class QCheckBox;
class QHBoxLayout;
class QToolButton;

class CRibbonPanel : public QWidget {
    Q_OBJECT
public:
    CRibbonPanel(const QString& caption, QWidget* parent);

    // A button with a large picture over its caption.
    QToolButton* AddLargeButton(QAction* action);
    // A column of small elements, top to bottom.
    void AddColumn(std::initializer_list<QWidget*> rows);

    // Small elements for AddColumn, each showing `action` (its caption, tooltip, state).
    QToolButton* SmallButton(QAction* action);
    QCheckBox* CheckButton(QAction* action);
    // The action's caption before `control`, which follows the action's enabled state.
    QWidget* Labelled(QAction* action, QWidget* control, int labelWidth = 0);

    // Compact: small buttons with a picture show only the picture, as a narrow window needs.
    void SetCompact(bool compact);
    // The width the panel needs with every caption shown.
    int FullWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QHBoxLayout* m_content;
    QList<QToolButton*> m_pictureButtons;  // small buttons that can drop their caption
    bool m_compact = false;
    int m_fullWidth = 0;  // measured before going compact
};

// Keeps `widget` enabled as `action` is, with its tooltip and status tip.
void FollowAction(QWidget* widget, QAction* action);
