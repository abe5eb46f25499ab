// The source editor dialog: its layout, the check of the text after each pause in typing, and
// the text handed back in the source's own encoding.
#include "gui/CEditSourceDlg.h"

#include "app/SourceCheck.h"
#include "chart/qt/TextBytes.h"
#include "gui/CSourceEdit.h"
#include "gui/Profile.h"

#include <QLabel>
#include <QPushButton>
#include <QStringDecoder>

namespace {

constexpr int kBandHeight = 40;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kEdge = 6;
constexpr int kCheckDelay = 300;  // milliseconds of quiet before the text is compiled
const char* const kGeometryKey = "EditSource/Geometry";

bool IsUtf8(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(bytes);
    return !utf8.hasError();
}

}  // namespace

CEditSourceDlg::CEditSourceDlg(const QByteArray& source, QWidget* parent)
    : QDialog(parent), m_edit(new CSourceEdit(this)), m_error(new QLabel(this)),
      m_ok(new QPushButton(tr("OK"), this)), m_cancel(new QPushButton(tr("Cancel"), this)),
      m_latin1(!IsUtf8(source))
{
    setWindowTitle(tr("Edit Source Data"));
    m_edit->setPlainText(TextFromBytes(
        std::string_view(source.constData(), static_cast<std::size_t>(source.size()))));
    m_error->setObjectName(QStringLiteral("CompileError"));
    m_error->setStyleSheet(QStringLiteral("color: #d03030;"));
    m_error->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_error->setWordWrap(true);
    m_ok->setDefault(false);
    m_ok->setAutoDefault(false);  // Enter is a new line in the text
    m_cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_check.setSingleShot(true);
    m_check.setInterval(kCheckDelay);
    connect(&m_check, &QTimer::timeout, this, &CEditSourceDlg::CheckNow);
    connect(m_edit, &QPlainTextEdit::textChanged, &m_check, qOverload<>(&QTimer::start));
    if (!restoreGeometry(Profile().value(QLatin1String(kGeometryKey)).toByteArray()))
        resize(720, 520);
    CheckNow();
    m_edit->setFocus();
}

CEditSourceDlg::~CEditSourceDlg()
{
    Profile().setValue(QLatin1String(kGeometryKey), saveGeometry());
}

QByteArray CEditSourceDlg::Bytes() const
{
    const QString text = m_edit->toPlainText();
    return m_latin1 ? text.toLatin1() : text.toUtf8();
}

QString CEditSourceDlg::ErrorText() const
{
    return m_error->text();
}

void CEditSourceDlg::CheckNow()
{
    m_check.stop();
    const QByteArray bytes = Bytes();
    const std::optional<CMSourceProblem> problem = CheckSongSource(
        CMString(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
    m_edit->MarkErrorLine(problem ? problem->line : 0);
    m_error->setText(problem ? TextFromBytes(problem->message.View()) : QString());
    m_error->setToolTip(m_error->text());
}

void CEditSourceDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const int width = this->width();
    const int height = this->height();
    m_edit->setGeometry(0, 0, width, height - kBandHeight);
    const int buttonTop = height - kEdge - kButtonHeight;
    m_cancel->setGeometry(width - kEdge - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight);
    m_ok->setGeometry(width - 2 * (kEdge + kButtonWidth), buttonTop, kButtonWidth, kButtonHeight);
    m_error->setGeometry(kEdge, height - kBandHeight, std::max(0, m_ok->x() - 2 * kEdge),
                         kBandHeight);
}
