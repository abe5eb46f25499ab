// The options sheet's pages.
#include "gui/COptionsPages.h"

#include "app/CMCommandTable.h"
#include "app/CMOptionsSheet.h"
#include "gui/CPropertyGrid.h"
#include "gui/ShownText.h"
#include "settings/SettingsTable.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QFont FontOf(const CMFontChoice& choice)
{
    QFont font(QString::fromStdString(choice.family));
    font.setPointSizeF(choice.points);
    font.setWeight(static_cast<QFont::Weight>(choice.weight));
    font.setItalic(choice.italic);
    return font;
}

// "Arial, 18 pt, bold", with the font fontconfig gives in its place when it is another one.
QString FontText(const CMFontChoice& choice)
{
    const QFont font = FontOf(choice);
    QString text = QStringLiteral("%1, %2 pt").arg(font.family()).arg(choice.points, 0, 'g', 3);
    if (choice.weight >= QFont::Bold)
        text += QStringLiteral(", bold");
    if (choice.italic)
        text += QStringLiteral(", italic");
    const QString used = QFontInfo(font).family();
    if (used.compare(font.family(), Qt::CaseInsensitive) != 0)
        text += QObject::tr(" (shown as %1)").arg(used);
    return text;
}

QColor ColourOf(const CMColour& colour)
{
    return QColor::fromRgb(colour.Pack());
}

QIcon Swatch(const QColor& colour)
{
    QPixmap swatch(14, 14);
    swatch.fill(colour);
    QPainter frame(&swatch);
    frame.setPen(Qt::gray);  // black stays visible on a dark look
    frame.drawRect(0, 0, 13, 13);
    return QIcon(swatch);
}

void SetLineEdit(QLineEdit* edit, CMString& value)
{
    edit->setText(ShownText(value.View()));
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [&value](const QString& text) { value = CMString(text.toStdString()); });
}

}  // namespace

CPropGeneral::CPropGeneral(CMOptionsSheet& sheet, QWidget* parent) : QWidget(parent)
{
    static const char* const labels[CMOptionsSheet::kListCount] = {
        "Initial zoom setting", "Initial precount", "User-defined key", "Chord style",
        "Precount Note"};
    auto* form = new QFormLayout(this);
    for (int list = 0; list < CMOptionsSheet::kListCount; ++list) {
        auto* box = new QComboBox;
        box->setObjectName(QString::fromLatin1(labels[list]));
        for (const std::string& item :
             CMOptionsSheet::SettingOfList(static_cast<CMOptionsSheet::GeneralList>(list)).items)
            box->addItem(QString::fromStdString(item));
        box->setCurrentIndex(sheet.listIndex[list]);
        box->setMaxVisibleItems(16);
        connect(box, &QComboBox::currentIndexChanged, this,
                [&sheet, list](int index) { sheet.listIndex[list] = index; });
        form->addRow(tr(labels[list]), box);
    }
}

CPropFont::CPropFont(CMOptionsSheet& sheet, QWidget* parent)
    : QWidget(parent), m_sheet(sheet), m_grid(new CPropertyGrid)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);
    for (int index = 0; index < static_cast<int>(sheet.fonts.size()); ++index)
        AddFontGroup(index);
    m_grid->FitNames();
}

void CPropFont::AddFontGroup(int index)
{
    CMFontConfig& font = m_sheet.fonts[static_cast<std::size_t>(index)];
    const CMFontConfig original = font;
    const QString role = ShownText(SettingOf(font.section.View(), "Name").description);
    QTreeWidgetItem* group = m_grid->AddGroup(ShownText(font.section.View()));

    auto* fontButton = new QPushButton(FontText(FontChoiceOf(font)));
    fontButton->setStyleSheet(QStringLiteral("text-align: left; padding: 1px 4px"));
    QTreeWidgetItem* fontRow = m_grid->AddEditorRow(
        group, tr("Font"), fontButton,
        tr("%1: typeface, size, weight and slant. Click to choose.").arg(role));
    connect(fontButton, &QPushButton::clicked, this, [this, &font, original, fontButton, fontRow] {
        bool chosen = false;
        const QFont picked =
            QFontDialog::getFont(&chosen, FontOf(FontChoiceOf(font)), this, tr("Font"));
        if (!chosen)
            return;
        TakeFontChoice(
            {picked.family().toStdString(), picked.pointSizeF(), picked.weight(), picked.italic()},
            font);
        fontButton->setText(FontText(FontChoiceOf(font)));
        m_grid->SetModified(fontRow, font.name != original.name || font.height != original.height ||
                                         font.bold != original.bold ||
                                         font.italic != original.italic);
    });

    auto* colourButton = new QPushButton(ColourOf(font.colour).name());
    colourButton->setIcon(Swatch(ColourOf(font.colour)));
    colourButton->setStyleSheet(QStringLiteral("text-align: left; padding: 1px 4px"));
    QTreeWidgetItem* colourRow = m_grid->AddEditorRow(
        group, tr("Color"), colourButton, tr("The colour of %1. Click to choose.").arg(role));
    connect(colourButton, &QPushButton::clicked, this,
            [this, &font, original, colourButton, colourRow] {
                const QColor picked = QColorDialog::getColor(ColourOf(font.colour), this);
                if (!picked.isValid())
                    return;
                font.colour = CMColour(static_cast<int>(picked.rgb() & 0xFFFFFF));
                colourButton->setText(picked.name());
                colourButton->setIcon(Swatch(picked));
                m_grid->SetModified(colourRow, font.colour.Pack() != original.colour.Pack());
            });
}

CPropAccount::CPropAccount(CMOptionsSheet& sheet, QWidget* parent) : QWidget(parent)
{
    auto* email = new QLineEdit;
    auto* password = new QLineEdit;
    auto* server = new QLineEdit;
    auto* port = new QSpinBox;
    email->setObjectName(QStringLiteral("E-mail address"));
    password->setObjectName(QStringLiteral("Password"));
    server->setObjectName(QStringLiteral("Server"));
    password->setEchoMode(QLineEdit::Password);
    SetLineEdit(email, sheet.email);
    SetLineEdit(password, sheet.password);
    SetLineEdit(server, sheet.server);
    const CMSettingRange ports = SettingOf("Account", "Port").range;
    port->setRange(static_cast<int>(ports.lowest), static_cast<int>(ports.highest));
    port->setValue(ports.Clamp(sheet.port));
    port->setGroupSeparatorShown(false);
    connect(port, &QSpinBox::valueChanged, this, [&sheet](int value) { sheet.port = value; });
    auto* form = new QFormLayout(this);
    form->addRow(tr("E-mail address"), email);
    form->addRow(tr("Password"), password);
    form->addRow(tr("Server"), server);
    form->addRow(tr("Port"), port);
}

CPropTempo::CPropTempo(CMOptionsSheet& sheet, QWidget* parent)
    : QWidget(parent), m_grid(new CPropertyGrid)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);
    const std::vector<std::string> repeats = RepeatListItems();
    for (CMZimbrelTempo& preset : sheet.tempos) {
        QTreeWidgetItem* group = m_grid->AddGroup(ShownText(preset.name.View()));
        auto* tempo = new QSpinBox;
        tempo->setRange(static_cast<int>(kTempoRange.lowest),
                        static_cast<int>(kTempoRange.highest));
        tempo->setValue(kTempoRange.Clamp(preset.tempo));
        QTreeWidgetItem* tempoRow =
            m_grid->AddEditorRow(group, tr("Tempo"), tempo, tr("Specifies the tempo"));
        connect(tempo, &QSpinBox::valueChanged, this,
                [this, &preset, tempoRow, original = preset.tempo](int value) {
                    preset.tempo = value;
                    m_grid->SetModified(tempoRow, value != original);
                });
        auto* repeat = new QComboBox;
        for (const std::string& item : repeats)
            repeat->addItem(QString::fromStdString(item).trimmed());
        repeat->setCurrentIndex(kRepeatRange.Clamp(preset.repeat) - 1);
        QTreeWidgetItem* repeatRow =
            m_grid->AddEditorRow(group, tr("Repeat"), repeat, tr("Specifies the number of repeat"));
        connect(repeat, &QComboBox::currentIndexChanged, this,
                [this, &preset, repeatRow, original = preset.repeat](int index) {
                    preset.repeat = index + 1;
                    m_grid->SetModified(repeatRow, preset.repeat != original);
                });
    }
    m_grid->FitNames();
}

CPropSection::CPropSection(CMOptionsSheet& sheet, const CMSectionPage& page, QWidget* parent)
    : QWidget(parent), m_sheet(sheet), m_grid(new CPropertyGrid)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);
    QTreeWidgetItem* group = m_grid->AddGroup(QString::fromUtf8(page.title));
    for (const CMSetting* setting : CMOptionsSheet::RowsOf(page)) {
        QTreeWidgetItem* row = m_grid->AddRow(
            group, QString::fromStdString(setting->key), QString(),
            QString::fromStdString(setting->description + "; " + setting->Allowed() + "."));
        QWidget* editor = EditorOf(*setting, row);
        editor->setObjectName(QString::fromStdString(setting->key));
        m_grid->Tree()->setItemWidget(row, 1, editor);
    }
    m_grid->FitNames();
}

QWidget* CPropSection::EditorOf(const CMSetting& setting, QTreeWidgetItem* row)
{
    IMIniStore& values = m_sheet.SectionValues();
    const std::string section = setting.section;
    const std::string key = setting.key;
    const int number =
        setting.Fit(values.ReadInt(section, key, static_cast<int>(setting.DefaultNumber())));
    const auto changed = [this, &setting, row] {
        m_grid->SetModified(row, m_sheet.IsChanged(setting));
    };
    switch (setting.kind) {
    case CMSettingKind::Switch: {
        auto* box = new QCheckBox;
        box->setChecked(number != 0);
        connect(box, &QCheckBox::toggled, this, [&values, section, key, changed](bool on) {
            values.WriteInt(section, key, on ? 1 : 0);
            changed();
        });
        return box;
    }
    case CMSettingKind::Number: {
        auto* box = new QSpinBox;
        box->setRange(static_cast<int>(setting.range.lowest),
                      static_cast<int>(setting.range.highest));
        box->setValue(number);
        box->setGroupSeparatorShown(false);
        connect(box, &QSpinBox::valueChanged, this, [&values, section, key, changed](int value) {
            values.WriteInt(section, key, value);
            changed();
        });
        return box;
    }
    case CMSettingKind::Decimal: {
        auto* box = new QDoubleSpinBox;
        box->setDecimals(3);
        box->setRange(setting.range.lowest, setting.range.highest);
        box->setSingleStep((setting.range.highest - setting.range.lowest) / 20);
        box->setValue(setting.Fit(values.ReadDouble(section, key, setting.DefaultNumber())));
        connect(box, &QDoubleSpinBox::valueChanged, this,
                [&values, section, key, changed](double value) {
                    values.WriteDouble(section, key, value);
                    changed();
                });
        return box;
    }
    case CMSettingKind::Choice: {
        auto* box = new QComboBox;
        for (const std::string& item : setting.items)
            box->addItem(QString::fromStdString(item));
        box->setCurrentIndex(number - static_cast<int>(setting.range.lowest));
        box->setMaxVisibleItems(16);
        const int lowest = static_cast<int>(setting.range.lowest);
        connect(box, &QComboBox::currentIndexChanged, this,
                [&values, section, key, lowest, changed](int index) {
                    values.WriteInt(section, key, index + lowest);
                    changed();
                });
        return box;
    }
    case CMSettingKind::Text: break;
    }
    auto* edit = new QLineEdit(
        ShownText(values.ReadString(section, key, setting.defaultValue.c_str()).View()));
    connect(edit, &QLineEdit::textEdited, this,
            [&values, section, key, changed](const QString& text) {
                values.WriteString(section, key, text.toStdString());
                changed();
            });
    return edit;
}
