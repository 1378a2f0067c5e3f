#include "AppTestSupport.h"

#include "app/FileFacts.h"
#include "app/PropertiesForm.h"
#include "document/DocumentProperties.h"
#include "foundation/SettingsStore.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

TDocumentProperties SampleProperties()
{
    TDocumentProperties P;
    P.ProjectName = "Level 3 offices";
    P.ProjectNumber = "P-1042";
    P.Description = "Supply to zones A\r\nand B\rreturn\nvia plenum";
    P.Author = "R. Okafor";
    P.Company = "Ductworks Ltd";
    P.Date = 45000.625;
    return P;
}

struct TPropertiesDialog {
    TScriptedServices Services;
    TMemorySettingsStore Store;
    TDocumentProperties Properties = SampleProperties();
    QString DocumentFile;
    TPropertiesForm Form{Store, Properties};

    TPropertiesDialog()
    {
        Form.SetFileNameRef([this] { return DocumentFile; });
    }
    template <class T>
    T* Control(const char* Name)
    {
        auto* C = Form.findChild<T*>(Name);
        EXPECT_NE(C, nullptr) << Name;
        return C;
    }
    QString Fact(const char* Name) { return Control<QLabel>(Name)->text(); }
    void Click(const char* Name)
    {
        QTest::mouseClick(Control<QAbstractButton>(Name), Qt::LeftButton);
    }
    // Runs the dialog with Script as the user.
    int Run(std::function<void()> Script)
    {
        Services.WhileModal = [Script](QDialog&) { Script(); };
        return Form.Execute();
    }
};

} // namespace

TEST(PropertiesForm, CancelPutsBackWhatWasShown)
{
    TPropertiesDialog D;
    const int Result = D.Run([&] {
        EXPECT_EQ(D.Control<QLineEdit>("edProjectName")->text(), "Level 3 offices");
        EXPECT_EQ(D.Control<QPlainTextEdit>("edDescription")->toPlainText(),
                  "Supply to zones A\nand B\nreturn\nvia plenum");
        TypeInto(D.Control<QLineEdit>("edProjectName"), "Changed");
        TypeInto(D.Control<QLineEdit>("edCompany"), "Other");
        D.Control<QPlainTextEdit>("edDescription")->appendPlainText("more");
        D.Control<QDateEdit>("edDate")->setDate(QDate(2020, 5, 5));
        D.Control<QCheckBox>("KeepCheckBox")->setChecked(true);
        D.Click("CancelBtn");
    });
    EXPECT_EQ(Result, mrCancel);
    EXPECT_EQ(D.Properties, SampleProperties());
    EXPECT_EQ(D.Control<QLineEdit>("edProjectName")->text(), "Level 3 offices");
    EXPECT_EQ(D.Control<QLineEdit>("edCompany")->text(), "Ductworks Ltd");
    EXPECT_EQ(D.Control<QDateEdit>("edDate")->date(), QDate(2023, 3, 15));
    EXPECT_FALSE(D.Form.Modified());
    EXPECT_TRUE(D.Store.ReadSectionIdents("File Properties").empty());
}

TEST(PropertiesForm, AcceptStoresEditsAndKeepMakesThemTheDefaults)
{
    for (const bool Keep : {false, true}) {
        TPropertiesDialog D;
        const int Result = D.Run([&] {
            TypeInto(D.Control<QLineEdit>("edProjectNumber"), "P-2000");
            TypeInto(D.Control<QLineEdit>("edAuthor"), "J. Lind");
            D.Control<QDateEdit>("edDate")->setDate(QDate(2024, 1, 1));
            D.Control<QCheckBox>("KeepCheckBox")->setChecked(Keep);
            D.Click("AcceptBtn");
        });
        EXPECT_EQ(Result, mrOk);
        TDocumentProperties Expected = SampleProperties();
        Expected.ProjectNumber = "P-2000";
        Expected.Author = "J. Lind";
        Expected.Date = 45292; // 1 January 2024
        // The unedited description keeps its mixed line breaks.
        EXPECT_EQ(D.Properties, Expected) << Keep;
        const struct {
            const char* Value;
            const char* Kept;
        } Values[] = {{"Name", "Level 3 offices"},
                      {"Number", "P-2000"},
                      {"Author", "J. Lind"},
                      {"Company", "Ductworks Ltd"}};
        for (const auto& V : Values)
            EXPECT_EQ(D.Store.ReadString("File Properties", V.Value, "-"), Keep ? V.Kept : "-")
                << V.Value;
    }
}

TEST(PropertiesForm, ModifiedFollowsNameNumberDescriptionAndDateOnly)
{
    const struct {
        const char* Control;
        bool Modified;
    } Cases[] = {{"edProjectName", true}, {"edProjectNumber", true}, {"edDescription", true},
                 {"edDate", true},        {"edAuthor", false},       {"edCompany", false},
                 {"KeepCheckBox", false}};
    for (const auto& C : Cases) {
        TPropertiesDialog D;
        D.Run([&] {
            EXPECT_FALSE(D.Form.Modified()) << C.Control; // showing is no change
            QWidget* Control = D.Control<QWidget>(C.Control);
            if (auto* Memo = qobject_cast<QPlainTextEdit*>(Control)) {
                Memo->moveCursor(QTextCursor::End);
                QTest::keyClick(Memo, Qt::Key_Return); // the memo's own: a new line
                QTest::keyClicks(Memo, "x");
            } else if (qobject_cast<QLineEdit*>(Control)) {
                QTest::keyClicks(Control, "x");
            } else { // a date steps with PageUp, a check box toggles with Space
                QTest::keyClick(Control, Qt::Key_PageUp);
                QTest::keyClick(Control, Qt::Key_Space);
            }
            D.Click("AcceptBtn");
        });
        EXPECT_EQ(D.Form.Modified(), C.Modified) << C.Control;
        // An edited description gets CR LF between all its lines; an
        // unedited one keeps its mixed breaks.
        const bool Described = std::string(C.Control) == "edDescription";
        EXPECT_EQ(D.Properties.Description,
                  Described ? "Supply to zones A\r\nand B\r\nreturn\r\nvia plenum\r\nx"
                            : SampleProperties().Description)
            << C.Control;
        // An unedited date keeps its time of day.
        if (std::string(C.Control) != "edDate") {
            EXPECT_EQ(D.Properties.Date, 45000.625) << C.Control;
        }
    }
}

TEST(PropertiesForm, FilePageTellsSizeDatesTypeAndAttributes)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    const auto Write = [&](const QString& Name, int Bytes) {
        QFile File(Dir.filePath(Name));
        EXPECT_TRUE(File.open(QIODevice::WriteOnly));
        QByteArray Data(Bytes, '\0');
        for (int I = 0; I < Bytes; ++I)
            Data[I] = static_cast<char>(I * 7 + 1);
        File.write(Data);
        return File.fileName();
    };
    const QString Plan = Write("plan.vtx", 2560);
    QFile::setPermissions(Plan, QFileDevice::ReadOwner | QFileDevice::ReadUser);
    const QString Hidden = Write(".undo.dct", 100);
    const struct {
        const char* Case;
        QString File;
        const char* Size;
        const char* Type;
        const char* Attributes;
    } Cases[] = {
        {"read-only document", Plan, "2.50 KB (2560 bytes)", "VTX File", "read-only"},
        {"hidden file", Hidden, "0.10 KB (100 bytes)", "DCT File", "hidden"},
        {"not saved yet", Dir.filePath("new.vtx"), "-", "VTX File", ""},
        {"unnamed", QString(), "", "", ""},
    };
    TPropertiesDialog D;
    for (const auto& C : Cases) {
        D.DocumentFile = C.File;
        D.Run([&] { D.Click("CancelBtn"); });
        EXPECT_EQ(D.Fact("FileName"), C.File) << C.Case;
        EXPECT_EQ(D.Fact("FileSize"), C.Size) << C.Case;
        EXPECT_EQ(D.Fact("FileType"), C.Type) << C.Case;
        EXPECT_EQ(D.Fact("FileAttributes"), C.Attributes) << C.Case;
        const bool Exists = QFile::exists(C.File);
        EXPECT_EQ(D.Fact("FileModified") != "-" && !D.Fact("FileModified").isEmpty(), Exists)
            << C.Case;
    }
    EXPECT_EQ(FileSizeText(5LL << 30), "5242880.00 KB (5368709120 bytes)");
}
