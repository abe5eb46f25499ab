// The help window: a text browser over the bundled Markdown pages.
#include "gui/HelpWindow.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

void ShowHelpWindow(QWidget* parent)
{
    static QPointer<QDialog> window;
    if (!window) {
        window = new QDialog(parent);
        window->setWindowTitle(QObject::tr("Zimbrel Help"));
        window->resize(760, 680);
        auto* browser = new QTextBrowser(window);
        browser->setOpenExternalLinks(true);
        browser->setSource(QUrl(QStringLiteral("qrc:/help/HELP.md")),
                           QTextDocument::MarkdownResource);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, window);
        QPushButton* back = buttons->addButton(QObject::tr("&Back"), QDialogButtonBox::ActionRole);
        QObject::connect(back, &QPushButton::clicked, browser, &QTextBrowser::backward);
        QObject::connect(browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
        back->setEnabled(false);
        QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::close);
        auto* layout = new QVBoxLayout(window);
        layout->addWidget(browser);
        layout->addWidget(buttons);
    }
    window->show();
    window->raise();
    window->activateWindow();
}
