// The ribbon's value controls: a number box (free text with spin buttons), a slider with zoom
// buttons, and the registry that lets command logic reach every value control by its command
// identifier (IMRibbonControls). A change the user makes runs the control's command.
#pragma once

#include "app/IMRibbonControls.h"

#include <QWidget>

#include <functional>
#include <map>

class QComboBox;
class QLineEdit;
class QSlider;
class QToolButton;

// A number box: the text is typed freely (the command reads and clamps it); the spin buttons
// step the number within the range.
class CRibbonNumberBox : public QWidget {
    Q_OBJECT
public:
    explicit CRibbonNumberBox(QWidget* parent = nullptr);
    QString Text() const;
    void SetText(const QString& text);
    void SetRange(int low, int high);

signals:
    // The user typed a number and confirmed it, or stepped it.
    void edited();

private:
    void Step(int by);

    QLineEdit* m_edit;
    int m_low = -1000000;
    int m_high = 1000000;
};

// A slider between a zoom-out and a zoom-in button, which move it by its step.
class CSliderWithButtons : public QWidget {
    Q_OBJECT
public:
    explicit CSliderWithButtons(QWidget* parent = nullptr);
    QSlider* Slider() const { return m_slider; }
    void SetRange(int low, int high, int step);
    // Moves the slider without telling anyone.
    void SetPosition(int position);

signals:
    // The user moved the slider or pressed a button.
    void moved();

private:
    QSlider* m_slider;
};

class CRibbonControls : public IMRibbonControls {
public:
    // `run` runs a command by its identifier (the command route).
    explicit CRibbonControls(std::function<void(int)> run) : m_run(std::move(run)) {}

    void AddNumberBox(int id, CRibbonNumberBox* box);
    void AddSlider(int id, CSliderWithButtons* slider);
    void AddList(int id, QComboBox* list);

    CMString GetText(int id) const override;
    void SetText(int id, const CMString& text) override;
    void SetRange(int id, int low, int high, int step = 1) override;
    int GetPosition(int id) const override;
    void SetPosition(int id, int position) override;
    void RemoveAllItems(int id) override;
    void AddItem(int id, const CMString& text) override;
    int GetItemCount(int id) const override;
    CMString GetItem(int id, int index) const override;
    int GetCurSel(int id) const override;
    void SetCurSel(int id, int index) override;

private:
    template <typename Control>
    Control* Find(const std::map<int, Control*>& controls, int id) const
    {
        const auto found = controls.find(id);
        return found == controls.end() ? nullptr : found->second;
    }

    std::function<void(int)> m_run;
    std::map<int, CRibbonNumberBox*> m_numberBoxes;
    std::map<int, CSliderWithButtons*> m_sliders;
    std::map<int, QComboBox*> m_lists;
};
