// The register dialog.
#include "gui/CRegisterDlg.h"

#include "app/CMRegisterForm.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

namespace {

// Fields hold bytes: what is typed goes to the checks as UTF-8, so anything outside 7-bit ASCII
// is refused by them, and comes back unchanged.
std::string Bytes(const QLineEdit* edit)
{
    return edit->text().toStdString();
}

void Show(QLineEdit* edit, const std::string& bytes)
{
    edit->setText(QString::fromStdString(bytes));
}

}  // namespace

CRegisterDlg::CRegisterDlg(const CMRegistration& fields, QWidget* parent)
    : QDialog(parent), m_fields(fields), m_userId(new QLineEdit), m_email(new QLineEdit),
      m_password(new QLineEdit),
      m_message(new QLabel(QString::fromLatin1(CMRegisterForm::kFirstMessage)))
{
    setWindowTitle(tr("Register"));
    m_userId->setObjectName(QStringLiteral("User ID"));
    m_email->setObjectName(QStringLiteral("E-mail"));
    m_password->setObjectName(QStringLiteral("Password"));
    Show(m_userId, fields.userId);
    Show(m_email, fields.email);
    Show(m_password, fields.password);
    auto* note = new QLabel(QString::fromLatin1(CMRegisterForm::kNote));
    note->setWordWrap(true);
    m_message->setObjectName(QStringLiteral("Message"));
    m_message->setWordWrap(true);
    m_message->setMinimumHeight(m_message->fontMetrics().lineSpacing() * 2);

    auto* form = new QFormLayout;
    form->addRow(tr("User ID"), m_userId);
    form->addRow(QString(), note);
    form->addRow(tr("E-mail"), m_email);
    form->addRow(tr("Password"), m_password);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CRegisterDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CRegisterDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_message);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

void CRegisterDlg::accept()
{
    CMRegistration fields{Bytes(m_userId), Bytes(m_email), Bytes(m_password)};
    const std::string message = CMRegisterForm::Check(fields);
    Show(m_userId, fields.userId);
    Show(m_email, fields.email);
    Show(m_password, fields.password);
    m_fields = fields;
    if (!message.empty()) {
        m_message->setText(QString::fromStdString(message));
        return;
    }
    QMessageBox question(QMessageBox::Question,
                         QString::fromLatin1(CMRegisterForm::kConfirmationTitle),
                         QString::fromStdString(CMRegisterForm::ConfirmationText(fields)),
                         QMessageBox::Ok | QMessageBox::Cancel, this);
    if (question.exec() == QMessageBox::Ok)
        QDialog::accept();
}
