// CCommandActions: one QAction for every command of the command table, with its caption,
// prompt, shortcut and picture. Buttons, menu items and shortcuts are views of these actions;
// every command they start goes through the command route, and every action's enabled and
// checked state comes from the route's answer, asked in one place (UpdateNow).
#pragma once

#include <QObject>
#include <QTimer>

#include <map>

class CMCommandRouter;
class QAction;
class QWidget;

class CCommandActions : public QObject {
    Q_OBJECT
public:
    // Creates the actions; their shortcuts work anywhere in `window`.
    CCommandActions(CMCommandRouter& router, QWidget* window);

    // The action of command `id`; null for an identifier not in the table.
    QAction* Action(int id) const;
    // Runs command `id` through the route, then refreshes every state.
    void Execute(int id);
    // Refreshes every state on the next turn of the event loop (many calls, one refresh).
    void RequestUpdate();
    // Asks the route for every command's state and shows it.
    void UpdateNow();

signals:
    // A command ran (after the route handled it).
    void commandExecuted(int id);

private:
    CMCommandRouter& m_router;
    std::map<int, QAction*> m_actions;
    QTimer m_update;
};
