// The actions of the command table and the one update path.
#include "gui/CCommandActions.h"

#include "app/CMCommandRouter.h"
#include "app/CMCommandTable.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <QWidget>

namespace {

QString ToolTip(const CMCommandInfo& command, const QKeySequence& shortcut)
{
    QString title = QString::fromUtf8(CommandTooltipTitle(command)).toHtmlEscaped();
    if (!shortcut.isEmpty())
        title += QStringLiteral(" (%1)").arg(shortcut.toString(QKeySequence::NativeText));
    const QString description = QString::fromUtf8(CommandDescription(command)).toHtmlEscaped();
    if (description == title)
        return QStringLiteral("<b>%1</b>").arg(title);
    return QStringLiteral("<b>%1</b><br>%2").arg(title, description);
}

}  // namespace

CCommandActions::CCommandActions(CMCommandRouter& router, QWidget* window)
    : QObject(window), m_router(router)
{
    for (const CMCommandInfo& command : CommandTable()) {
        auto* action = new QAction(QString::fromUtf8(command.caption), window);
        const QKeySequence shortcut(QString::fromLatin1(command.shortcut));
        action->setData(command.id);
        action->setShortcut(shortcut);
        action->setStatusTip(QString::fromUtf8(CommandDescription(command)));
        action->setToolTip(ToolTip(command, shortcut));
        action->setCheckable(command.kind == CMCommandKind::CheckButton);
        if (*command.icon)
            action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(command.icon)));
        if (!shortcut.isEmpty())
            window->addAction(action);
        const int id = command.id;
        connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
        m_actions.emplace(id, action);
    }
    m_update.setSingleShot(true);
    m_update.setInterval(0);
    connect(&m_update, &QTimer::timeout, this, &CCommandActions::UpdateNow);
}

QAction* CCommandActions::Action(int id) const
{
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

void CCommandActions::Execute(int id)
{
    if (m_router.Execute(id))
        emit commandExecuted(id);
    // A checkable action toggled itself when clicked: the route's answer puts it right.
    UpdateNow();
}

void CCommandActions::RequestUpdate()
{
    m_update.start();
}

void CCommandActions::UpdateNow()
{
    for (const auto& [id, action] : m_actions) {
        const CMCommandUI ui = m_router.Update(id);
        action->setEnabled(ui.enabled);
        if (action->isCheckable())
            action->setChecked(ui.checked);
    }
}
