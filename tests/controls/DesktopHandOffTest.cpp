#include "controls/DesktopHandOff.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)

TEST(DesktopHandOff, AnOpenerThatIsMissingOrGivesUpIsSaid)
{
    QTemporaryDir Dir;
    // Openers standing in for xdg-open: one that finds no browser (its
    // code 3), one that hands the page over.
    const auto Opener = [&](const QString& Name, int Code) {
        QFile Script(Dir.filePath(Name));
        EXPECT_TRUE(Script.open(QIODevice::WriteOnly));
        Script.write("#!/bin/sh\nexit " + QByteArray::number(Code) + "\n");
        Script.close();
        Script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return Script.fileName();
    };
    const struct {
        QString Opener;
        bool Started;
        QString Said; // a part of the reason given, empty for none
    } Cases[] = {{Dir.filePath("no-such-opener"), false, "is not installed"},
                 {Opener("no-browser", 3), true, "ended with code 3"},
                 {Opener("browser", 0), true, ""}};
    for (const auto& C : Cases) {
        QStringList Said;
        EXPECT_EQ(HandOffToDesktop("/tmp/help.htm", [&](const QString& Why) { Said << Why; }, C.Opener),
                  C.Started);
        // The opener's end comes through the event loop.
        const int Expected = C.Said.isEmpty() ? 0 : 1;
        const int Limit = Expected ? 5000 : 300;
        for (int Waited = 0; C.Started && Said.size() < std::max(Expected, 1) && Waited < Limit; Waited += 20)
            QTest::qWait(20);
        ASSERT_EQ(Said.size(), Expected) << C.Opener.toStdString();
        if (!C.Said.isEmpty()) {
            EXPECT_TRUE(Said[0].contains(C.Said)) << Said[0].toStdString();
        }
    }
}

#endif
