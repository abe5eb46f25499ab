// SingleInstance: one running program per user and working folder. A second start hands the
// file it was given to the running program over a local socket and ends; when no program
// answers it becomes the running one and takes the files of later starts.
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& name, QObject* parent = nullptr);

    // Hands `file` (an absolute path, or empty to only bring the window forward) to a running
    // program. False when none answers within a moment.
    bool HandOver(const QString& file) const;
    // Listens for later starts. False when the name cannot be taken (the program then runs on
    // its own).
    bool Listen();

signals:
    // A later start asked for `file` (empty: only come forward).
    void fileRequested(const QString& file);

private:
    void Receive();

    QString m_name;
    QLocalServer* m_server = nullptr;
};
