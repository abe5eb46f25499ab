// Number boxes, sliders with zoom buttons, and their registry.
#include "gui/RibbonControls.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* ArrowButton(Qt::ArrowType arrow, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRaise(true);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(16, 11);
    return button;
}

QToolButton* ZoomButton(const QString& text, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setAutoRaise(true);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(18, 18);
    return button;
}

QString FromBytes(const CMString& text)
{
    return QString::fromUtf8(text.GetText());
}

}  // namespace

CRibbonNumberBox::CRibbonNumberBox(QWidget* parent) : QWidget(parent), m_edit(new QLineEdit(this))
{
    m_edit->setFixedWidth(44);
    m_edit->setAlignment(Qt::AlignRight);
    // Whole numbers only, but beyond the range: the command clamps what is typed.
    m_edit->setValidator(new QIntValidator(-99999, 99999, m_edit));
    auto* arrows = new QVBoxLayout;
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    QToolButton* up = ArrowButton(Qt::UpArrow, this);
    QToolButton* down = ArrowButton(Qt::DownArrow, this);
    arrows->addWidget(up);
    arrows->addWidget(down);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_edit);
    layout->addLayout(arrows);
    connect(up, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down, &QToolButton::clicked, this, [this] { Step(-1); });
    connect(m_edit, &QLineEdit::editingFinished, this, [this] {
        if (m_edit->isModified()) {
            m_edit->setModified(false);
            emit edited();
        }
    });
}

QString CRibbonNumberBox::Text() const
{
    return m_edit->text();
}

void CRibbonNumberBox::SetText(const QString& text)
{
    m_edit->setText(text);
    m_edit->setModified(false);
}

void CRibbonNumberBox::SetRange(int low, int high)
{
    m_low = low;
    m_high = high;
}

void CRibbonNumberBox::Step(int by)
{
    const int value = std::clamp(m_edit->text().toInt() + by, m_low, m_high);
    SetText(QString::number(value));
    emit edited();
}

CSliderWithButtons::CSliderWithButtons(QWidget* parent)
    : QWidget(parent), m_slider(new QSlider(Qt::Horizontal, this))
{
    QToolButton* out = ZoomButton(QStringLiteral("\u2212"), this);
    QToolButton* in = ZoomButton(QStringLiteral("+"), this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(out);
    layout->addWidget(m_slider, 1);
    layout->addWidget(in);
    connect(out, &QToolButton::clicked, this,
            [this] { m_slider->triggerAction(QAbstractSlider::SliderSingleStepSub); });
    connect(in, &QToolButton::clicked, this,
            [this] { m_slider->triggerAction(QAbstractSlider::SliderSingleStepAdd); });
    // Only what the user does runs the command; SetPosition is silent.
    connect(m_slider, &QSlider::actionTriggered, this, [this] {
        QMetaObject::invokeMethod(this, &CSliderWithButtons::moved, Qt::QueuedConnection);
    });
}

void CSliderWithButtons::SetRange(int low, int high, int step)
{
    const QSignalBlocker quiet(m_slider);
    m_slider->setRange(low, high);
    m_slider->setSingleStep(step);
    m_slider->setPageStep(step);
}

void CSliderWithButtons::SetPosition(int position)
{
    const QSignalBlocker quiet(m_slider);
    m_slider->setValue(position);
}

void CRibbonControls::AddNumberBox(int id, CRibbonNumberBox* box)
{
    m_numberBoxes[id] = box;
    QObject::connect(box, &CRibbonNumberBox::edited, box, [this, id] { m_run(id); });
}

void CRibbonControls::AddSlider(int id, CSliderWithButtons* slider)
{
    m_sliders[id] = slider;
    QObject::connect(slider, &CSliderWithButtons::moved, slider, [this, id] { m_run(id); });
}

void CRibbonControls::AddList(int id, QComboBox* list)
{
    m_lists[id] = list;
    QObject::connect(list, &QComboBox::activated, list, [this, id] { m_run(id); });
}

CMString CRibbonControls::GetText(int id) const
{
    const CRibbonNumberBox* box = Find(m_numberBoxes, id);
    return box ? CMString(box->Text().toUtf8().toStdString()) : CMString();
}

void CRibbonControls::SetText(int id, const CMString& text)
{
    if (CRibbonNumberBox* box = Find(m_numberBoxes, id))
        box->SetText(FromBytes(text));
}

void CRibbonControls::SetRange(int id, int low, int high, int step)
{
    if (CRibbonNumberBox* box = Find(m_numberBoxes, id))
        box->SetRange(low, high);
    if (CSliderWithButtons* slider = Find(m_sliders, id))
        slider->SetRange(low, high, step);
}

int CRibbonControls::GetPosition(int id) const
{
    const CSliderWithButtons* slider = Find(m_sliders, id);
    return slider ? slider->Slider()->value() : 0;
}

void CRibbonControls::SetPosition(int id, int position)
{
    if (CSliderWithButtons* slider = Find(m_sliders, id))
        slider->SetPosition(position);
}

void CRibbonControls::RemoveAllItems(int id)
{
    if (QComboBox* list = Find(m_lists, id))
        list->clear();
}

void CRibbonControls::AddItem(int id, const CMString& text)
{
    if (QComboBox* list = Find(m_lists, id)) {
        const QSignalBlocker quiet(list);
        list->addItem(FromBytes(text));
    }
}

int CRibbonControls::GetItemCount(int id) const
{
    const QComboBox* list = Find(m_lists, id);
    return list ? list->count() : 0;
}

CMString CRibbonControls::GetItem(int id, int index) const
{
    const QComboBox* list = Find(m_lists, id);
    if (!list || index < 0 || index >= list->count())
        return CMString();
    return CMString(list->itemText(index).toUtf8().toStdString());
}

int CRibbonControls::GetCurSel(int id) const
{
    const QComboBox* list = Find(m_lists, id);
    return list ? list->currentIndex() : -1;
}

void CRibbonControls::SetCurSel(int id, int index)
{
    if (QComboBox* list = Find(m_lists, id)) {
        const QSignalBlocker quiet(list);
        list->setCurrentIndex(index);
    }
}
