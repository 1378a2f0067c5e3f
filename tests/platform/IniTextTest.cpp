#include "platform/IniText.h"

#include "tests/platform/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>

#include <filesystem>

// Whatever the key or the text, QSettings reads back exactly what was made.
TEST(IniText, EveryKeyAndTextReadsBackThroughQSettings)
{
    const QMap<QString, QString> Values{
        {"Loose", "no section"},
        {"General/Real", "a section named General"},
        {"general/Lower", "and one named general"},
        {"Settings/Plain", "640"},
        {"Settings/Empty", ""},
        {"Settings/Separators", "a, b; c = d"},
        {"Settings/Blanks", "  both ends "},
        {"Settings/Quotes", "say \"hi\" \\ back\\slash"},
        {"Settings/Controls", "tab\there\nnew line\rcr\x01" "after\a\b\f\v"},
        {"Settings/HexAfterEscape", QString("\x01") + "fe" + QChar(0) + "7"},
        {"Settings/At", "@Variant(x)"},
        {"Settings/AtAlone", "@"},
        {"Settings/Comment", "#not ;a comment"},
        {"Settings/Unicode", QString::fromUtf8("ünïcode 日本 \xF0\x9F\x98\x80 \x7F")},
        {"Multi Word Section/Key With Blanks", "v"},
        {"Odd%Section/K%ey=1", "percent"},
        {QString::fromUtf8("Ümlaut/日本"), "wide names"},
        {"Nested/Sub/Deeper", "three levels"},
        {"Nested/Top", "beside them"},
    };
    const QString File = QString::fromStdString(TestRoot() + "initext.ini");
    QFile Out(File);
    ASSERT_TRUE(Out.open(QIODevice::WriteOnly));
    Out.write(IniText(Values));
    Out.close();

    const QSettings Read(File, QSettings::IniFormat);
    EXPECT_EQ(Read.status(), QSettings::NoError);
    QStringList Expected = Values.keys();
    QStringList Keys = Read.allKeys();
    Expected.sort();
    Keys.sort();
    EXPECT_EQ(Keys, Expected);
    for (auto It = Values.cbegin(); It != Values.cend(); ++It) {
        SCOPED_TRACE(It.key().toStdString());
        const QVariant Value = Read.value(It.key());
        EXPECT_EQ(Value.typeId(), QMetaType::QString);
        EXPECT_EQ(Value.toString(), It.value());
    }
    std::filesystem::remove(File.toStdString());
}
