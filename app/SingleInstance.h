#pragma once
#include <QObject>
#include <QString>

class QLocalServer;

// An embedded database file can be open in one process only, so the program
// runs once per program folder: a second start hands over to the first one.
class TSingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit TSingleInstance(QObject *parent = nullptr);

    // The endpoint name for the current user and program folder.
    static QString ServerName(const QString &appPath);

    // True when another instance took the hand-over request; this process should end.
    bool HandOverToRunning(const QString &appPath);
    // Starts listening for later starts; false when listening failed.
    bool Listen(const QString &appPath);

signals:
    void activationRequested();

private:
    QLocalServer *m_server = nullptr;
};
