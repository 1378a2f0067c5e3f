#pragma once
// Hands a message with recipients and attached files to the desktop's mail
// client. The client is "xdg-email" (or the command named by
// VENTRIX_MAIL_COMMAND), started with an argument list, never through a
// shell. It runs on its own: SendMail returns once it has started, and the
// outcome arrives later as OnSuccess or OnMapiError.

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QProcess;

// Environment variable naming the mail command instead of "xdg-email".
inline constexpr const char* MailCommandVariable = "VENTRIX_MAIL_COMMAND";

// Result codes of SendMail.
inline constexpr int MailSuccess = 0;
inline constexpr int MailFailure = 2;
inline constexpr int MailNotSupported = 26;

class TMapiControl : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Subject MEMBER Subject)
    Q_PROPERTY(QString Body MEMBER Body)
    Q_PROPERTY(QString FromName MEMBER FromName)
    Q_PROPERTY(QString FromAdress MEMBER FromAdress)
    Q_PROPERTY(QStringList Recipients MEMBER Recipients)
    Q_PROPERTY(QStringList CopyTo MEMBER CopyTo)
    Q_PROPERTY(QStringList BlindCopyTo MEMBER BlindCopyTo)
    Q_PROPERTY(QStringList AttachedFiles MEMBER AttachedFiles)
    Q_PROPERTY(QStringList DisplayFileName MEMBER DisplayFileName)
    Q_PROPERTY(bool ShowDialog MEMBER ShowDialog)
    Q_PROPERTY(bool UseAppHandle MEMBER UseAppHandle)
public:
    explicit TMapiControl(QObject* Parent = nullptr);

    QString Subject;
    QString Body;
    // The client takes the sender from its own account; kept for callers.
    QString FromName;
    QString FromAdress;
    QStringList Recipients;  // one address per entry
    QStringList CopyTo;
    QStringList BlindCopyTo;
    QStringList AttachedFiles;    // full paths
    QStringList DisplayFileName;  // the attachments' file names, filled by SendMail
    // The desktop client always shows its compose window, so both switches
    // are kept for callers only.
    bool ShowDialog = false;
    bool UseAppHandle = false;

    // Where the "not supported" message goes; the warning sink when unset.
    std::function<void(const QString& Text)> ShowMessageText;

    // Starts the mail client: MailSuccess once it runs, MailFailure when it
    // cannot start, MailNotSupported (after a message) when there is no
    // executable mail command.
    int SendMail();

    // The command SendMail would run, or empty when none is executable.
    static QString MailCommand();
    // The client's arguments: copies, blind copies, subject, body, one
    // --attach per file, then the recipients.
    QStringList MailArguments() const;

signals:
    // Never raised: the desktop client does not tell a cancelled message.
    void OnUserAbort();
    void OnMapiError(int Code);
    void OnSuccess();

private:
    void Finished(QProcess* Process, int ExitCode, bool Crashed);
};
