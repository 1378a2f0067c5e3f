#include "platform/MapiControl.h"

#include "tests/platform/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

bool PumpUntil(const std::function<bool()>& Done, int TimeoutMs = 5000)
{
    QElapsedTimer Timer;
    Timer.start();
    while (!Done() && Timer.elapsed() < TimeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return Done();
}

// A mail command that writes its arguments, each ended by a NUL, to Record
// and ends with ExitCode.
std::string StubMailCommand(const std::string& Name, const std::string& Record, int ExitCode)
{
    const std::string Path = TestRoot() + Name;
    std::ofstream(Path) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done > '"
                        << Record << "'\nexit " << ExitCode << "\n";
    std::filesystem::permissions(Path, std::filesystem::perms::owner_all);
    return Path;
}

QStringList RecordedArguments(const std::string& Record)
{
    QFile File(QString::fromStdString(Record));
    if (!File.open(QIODevice::ReadOnly))
        return {};
    QStringList Arguments = QString::fromUtf8(File.readAll()).split(QChar(0));
    Arguments.removeLast(); // after the last terminator
    return Arguments;
}

struct TOutcome {
    int Successes = 0;
    int Errors = 0;
    int LastError = -1;
};

void Watch(TMapiControl& Mail, TOutcome& Outcome)
{
    QObject::connect(&Mail, &TMapiControl::OnSuccess, [&Outcome] { ++Outcome.Successes; });
    QObject::connect(&Mail, &TMapiControl::OnMapiError, [&Outcome](int Code) {
        ++Outcome.Errors;
        Outcome.LastError = Code;
    });
}

class MailCommand : public testing::Test {
protected:
    void TearDown() override { unsetenv(MailCommandVariable); }
};

} // namespace

TEST_F(MailCommand, HandsTheMessageToTheClientAndReportsItsExit)
{
    struct TCase {
        const char* Name;
        int ExitCode;
    };
    for (const TCase Case : {TCase{"success", 0}, TCase{"failure", 3}}) {
        SCOPED_TRACE(Case.Name);
        const std::string Record = TestRoot() + Case.Name + ".args";
        setenv(MailCommandVariable,
               StubMailCommand(std::string(Case.Name) + ".sh", Record, Case.ExitCode).c_str(), 1);

        TMapiControl Mail;
        TOutcome Outcome;
        Watch(Mail, Outcome);
        Mail.Subject = QStringLiteral("Report...");
        Mail.Body = QStringLiteral("Please find our report attached.\nSecond line");
        Mail.AttachedFiles = {QStringLiteral("/tmp/a b/page0.gif"), QStringLiteral("/tmp/page1.gif")};
        Mail.CopyTo = {QStringLiteral("cc@example.org")};
        Mail.Recipients = {QStringLiteral("to@example.org")};

        ASSERT_EQ(Mail.SendMail(), MailSuccess);
        EXPECT_EQ(Mail.DisplayFileName, QStringList({"page0.gif", "page1.gif"}));
        ASSERT_TRUE(PumpUntil([&] { return Outcome.Successes + Outcome.Errors > 0; }));
        EXPECT_EQ(RecordedArguments(Record),
                  QStringList({"--cc", "cc@example.org", "--subject", "Report...", "--body",
                               "Please find our report attached.\nSecond line", "--attach",
                               "/tmp/a b/page0.gif", "--attach", "/tmp/page1.gif",
                               "to@example.org"}));
        EXPECT_EQ(Outcome.Successes, Case.ExitCode == 0 ? 1 : 0);
        EXPECT_EQ(Outcome.LastError, Case.ExitCode == 0 ? -1 : Case.ExitCode);
    }
}

TEST_F(MailCommand, WithoutAClientTheMessageIsRefused)
{
    const std::string NotExecutable = TestRoot() + "plain.txt";
    std::ofstream(NotExecutable) << "not a program\n";
    for (const std::string& Command : {TestRoot() + "missing-mailer", NotExecutable}) {
        setenv(MailCommandVariable, Command.c_str(), 1);
        TMapiControl Mail;
        TOutcome Outcome;
        Watch(Mail, Outcome);
        QStringList Shown;
        Mail.ShowMessageText = [&Shown](const QString& Text) { Shown << Text; };
        EXPECT_EQ(Mail.SendMail(), MailNotSupported);
        EXPECT_EQ(Shown, QStringList{"System does not support MAPI mail server"});
        QCoreApplication::processEvents();
        EXPECT_EQ(Outcome.Successes + Outcome.Errors, 0);
    }
}
