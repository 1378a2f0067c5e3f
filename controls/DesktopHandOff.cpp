#include "controls/DesktopHandOff.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

QUrl TargetUrl(const QString& Target)
{
    return Target.contains("://") || Target.startsWith("mailto:") ? QUrl(Target) : QUrl::fromLocalFile(Target);
}

} // namespace

QString HandOffFailureText(const QString& Target, const QString& Why)
{
    return "Could not open " + Target + "\n" + Why;
}

bool HandOffToDesktop(const QString& Target, const std::function<void(const QString& Why)>& OnFailure,
                      const QString& Opener)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Qt hands over to the opener without waiting: a desktop without a
    // browser would never say so. The opener is watched instead.
    const QString Program = QStandardPaths::findExecutable(Opener);
    if (Program.isEmpty()) {
        OnFailure("There is no program to open it with: " + Opener +
                  " is not installed (on Debian and Ubuntu it comes with xdg-utils).");
        return false;
    }
    const QUrl Url = TargetUrl(Target);
    // No parent: the opener may run as long as the browser it started, and
    // must not be ended with the program.
    auto* Process = new QProcess;
    Process->setProgram(Program);
    Process->setArguments({Url.isLocalFile() ? Url.toLocalFile() : Url.toString()});
    Process->setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(Process, &QProcess::finished, Process, [Process, OnFailure, Opener](int Code, QProcess::ExitStatus Status) {
        if (Status != QProcess::NormalExit || Code != 0)
            OnFailure("No web browser or other program took it (" + Opener + " ended with code " +
                      QString::number(Code) + "). Install a web browser or open the file yourself.");
        Process->deleteLater();
    });
    Process->start();
    if (!Process->waitForStarted()) {
        OnFailure(Opener + " could not be started: " + Process->errorString());
        delete Process;
        return false;
    }
    return true;
#else
    Q_UNUSED(Opener);
    if (QDesktopServices::openUrl(TargetUrl(Target)))
        return true;
    OnFailure("The desktop has no program set up to open it.");
    return false;
#endif
}
