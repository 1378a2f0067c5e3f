#pragma once
// Passing a text with a code to the running instance of a program: each
// instance listens on a local socket named after the user and the program.
// A message is the code and the text's length (32-bit, big-endian) followed by
// the text in UTF-8.

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// Longest text accepted; a longer one is refused by both sides.
inline constexpr int MaxPoolTextBytes = 1 << 20;

// The socket name of a program's instance for the current user.
QString MessagePoolName(const QString& ProgramName);

class TMessagePoolServer : public QObject {
    Q_OBJECT
public:
    explicit TMessagePoolServer(QObject* Parent = nullptr);

    // Starts listening for ProgramName; false when another instance already
    // listens or the socket cannot be made. A socket left behind by an
    // instance that ended is replaced.
    bool Listen(const QString& ProgramName);
    bool IsListening() const;

signals:
    void MessageReceived(int Code, const QString& Text);

private:
    void Accept();
    void ReadFrom(QLocalSocket* Socket);

    QLocalServer* FServer;
};

// Whether an instance of ProgramName runs for this user.
bool FindRunningInstance(const QString& ProgramName);

// Sends Text with Code to the running instance of ProgramName; false when no
// instance takes it or the text is too long.
bool SendStringToWindow(const QString& Text, const QString& ProgramName, int Code);
