// CRegisterDlg: the "Register" dialog: user ID, e-mail and password, the fixed note, and the
// message line that shows why OK was refused. OK cleans and checks the fields (CMRegisterForm)
// and asks for confirmation before the dialog closes.
#pragma once

#include "net/CMAccountRules.h"

#include <QDialog>

class QLabel;
class QLineEdit;

class CRegisterDlg : public QDialog {
    Q_OBJECT
public:
    // The dialog with the fields preset from `fields`.
    CRegisterDlg(const CMRegistration& fields, QWidget* parent = nullptr);

    // The fields as last cleaned by OK.
    const CMRegistration& Fields() const { return m_fields; }
    QLabel* MessageLine() const { return m_message; }

    void accept() override;

private:
    CMRegistration m_fields;
    QLineEdit* m_userId;
    QLineEdit* m_email;
    QLineEdit* m_password;
    QLabel* m_message;
};
