#include "platform/MapiControl.h"

#include "foundation/WarningSink.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

TMapiControl::TMapiControl(QObject* Parent) : QObject(Parent) {}

QString TMapiControl::MailCommand()
{
    QString Command = qEnvironmentVariable(MailCommandVariable);
    if (Command.isEmpty())
        Command = QStringLiteral("xdg-email");
    if (!Command.contains('/'))
        return QStandardPaths::findExecutable(Command);
    const QFileInfo Info(Command);
    return Info.isFile() && Info.isExecutable() ? Info.absoluteFilePath() : QString();
}

QStringList TMapiControl::MailArguments() const
{
    QStringList Arguments;
    for (const QString& Address : CopyTo)
        Arguments << QStringLiteral("--cc") << Address;
    for (const QString& Address : BlindCopyTo)
        Arguments << QStringLiteral("--bcc") << Address;
    if (!Subject.isEmpty())
        Arguments << QStringLiteral("--subject") << Subject;
    if (!Body.isEmpty())
        Arguments << QStringLiteral("--body") << Body;
    for (const QString& File : AttachedFiles)
        Arguments << QStringLiteral("--attach") << File;
    for (const QString& Address : Recipients)
        if (!Address.trimmed().isEmpty())
            Arguments << Address.trimmed();
    return Arguments;
}

int TMapiControl::SendMail()
{
    const QString Command = MailCommand();
    if (Command.isEmpty()) {
        const QString Text = QStringLiteral("System does not support MAPI mail server");
        if (ShowMessageText)
            ShowMessageText(Text);
        else
            ShowWarning("", Text.toStdString());
        return MailNotSupported;
    }

    DisplayFileName.clear();
    for (const QString& File : AttachedFiles)
        DisplayFileName << QFileInfo(File).fileName();

    // The process may outlive this call by minutes (the compose window);
    // it reports back through its signals and deletes itself.
    auto* Process = new QProcess(this);
    Process->setProgram(Command);
    Process->setArguments(MailArguments());
    Process->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(Process, &QProcess::finished, this,
            [this, Process](int ExitCode, QProcess::ExitStatus Status) {
                Finished(Process, ExitCode, Status == QProcess::CrashExit);
            });
    Process->setStandardInputFile(QProcess::nullDevice());
    Process->start();
    if (!Process->waitForStarted()) {
        delete Process;
        return MailFailure;
    }
    return MailSuccess;
}

void TMapiControl::Finished(QProcess* Process, int ExitCode, bool Crashed)
{
    Process->deleteLater();
    if (!Crashed && ExitCode == 0)
        emit OnSuccess();
    else
        emit OnMapiError(Crashed ? MailFailure : ExitCode);
}
