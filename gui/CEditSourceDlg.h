// CEditSourceDlg: the dialog "Edit Source Data": the song's source in an editor that fills the
// window but a 40-pixel band at the bottom, which holds OK and Cancel (75 by 25 pixels, 6 pixels
// from the edges) and, at its left, the compiler's first error while there is one. The error's
// line is marked in the text as it is typed; OK hands the text back all the same.
#pragma once

#include <QDialog>
#include <QTimer>

class CSourceEdit;
class QLabel;
class QPushButton;

class CEditSourceDlg : public QDialog {
    Q_OBJECT
public:
    // `source` is the song's bytes: UTF-8, or an 8-bit text kept byte for byte.
    CEditSourceDlg(const QByteArray& source, QWidget* parent = nullptr);
    ~CEditSourceDlg() override;

    // The edited text as bytes, in the encoding the source came in.
    QByteArray Bytes() const;
    CSourceEdit* Editor() const { return m_edit; }
    // The message under the text; empty while the song compiles.
    QString ErrorText() const;
    // Checks the text now rather than after the pause in typing.
    void CheckNow();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    CSourceEdit* m_edit;
    QLabel* m_error;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QTimer m_check;
    bool m_latin1 = false;  // the source was not UTF-8
};
