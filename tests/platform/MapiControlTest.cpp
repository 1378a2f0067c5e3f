#include "platform/MapiControl.h"

#include "tests/platform/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QFile>

#include <cstdlib>
#include <filesystem>
#include <fstream>

TEST(MapiControl, HandsTheMessageToTheClientAndReportsItsExitOrRefusesItWithoutOne)
{
    for (const int ExitCode : {0, 3}) {
        SCOPED_TRACE(ExitCode);
        // A mail command writing its arguments, each ended by a NUL.
        const std::string Record = TestRoot() + "mail" + std::to_string(ExitCode);
        const std::string Command = Record + ".sh";
        std::ofstream(Command) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done > '"
                               << Record << "'\nexit " << ExitCode << "\n";
        std::filesystem::permissions(Command, std::filesystem::perms::owner_all);
        setenv(MailCommandVariable, Command.c_str(), 1);

        TMapiControl Mail;
        int Successes = 0, Error = -1;
        QObject::connect(&Mail, &TMapiControl::OnSuccess, [&] { ++Successes; });
        QObject::connect(&Mail, &TMapiControl::OnMapiError, [&](int Code) { Error = Code; });
        Mail.Subject = "Report...";
        Mail.Body = "Please find our report attached.\nSecond line";
        Mail.AttachedFiles = {"/tmp/a b/page0.gif", "/tmp/page1.gif"};
        Mail.CopyTo = {"cc@example.org"};
        Mail.Recipients = {"to@example.org"};
        ASSERT_EQ(Mail.SendMail(), MailSuccess);
        EXPECT_EQ(Mail.DisplayFileName, QStringList({"page0.gif", "page1.gif"}));
        PumpUntil([&] { return Successes > 0 || Error >= 0; }, 5000);
        EXPECT_EQ(std::pair(Successes, Error), ExitCode == 0 ? std::pair(1, -1) : std::pair(0, ExitCode));
        QFile File(QString::fromStdString(Record));
        ASSERT_TRUE(File.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromUtf8(File.readAll()).split(QChar(0), Qt::SkipEmptyParts),
                  QStringList({"--cc", "cc@example.org", "--subject", "Report...", "--body",
                               "Please find our report attached.\nSecond line", "--attach",
                               "/tmp/a b/page0.gif", "--attach", "/tmp/page1.gif", "to@example.org"}));
    }

    // Without a client (none, or not a program) the message is refused.
    const std::string NotExecutable = TestRoot() + "plain.txt";
    std::ofstream(NotExecutable) << "not a program\n";
    for (const std::string& Command : {TestRoot() + "missing-mailer", NotExecutable}) {
        setenv(MailCommandVariable, Command.c_str(), 1);
        TMapiControl Mail;
        QStringList Shown;
        Mail.ShowMessageText = [&Shown](const QString& Text) { Shown << Text; };
        EXPECT_EQ(Mail.SendMail(), MailNotSupported);
        EXPECT_EQ(Shown, QStringList{"System does not support MAPI mail server"});
    }
    unsetenv(MailCommandVariable);
}
