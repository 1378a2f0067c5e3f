#include "app/PropertiesForm.h"

#include "app/FileFacts.h"
#include "controls/FlatPageControl.h"
#include "controls/GuardedCall.h"
#include "controls/KeyNavigation.h"
#include "controls/UiServices.h"
#include "document/DocumentProperties.h"
#include "platform/FormPlacement.h"
#include "platform/QtText.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <cmath>

namespace {

QDate DateOf(double Days)
{
    const QDate Date = DateOfDayCount(Days);
    return Date.isValid() ? Date : QDate::currentDate();
}

// The memo shows every kind of line break as one.
QString MemoText(const std::string& Description)
{
    return ToQ(Description).replace("\r\n", "\n").replace('\r', '\n');
}

QLabel* FactLabel(QWidget* Parent)
{
    auto* Label = new QLabel(Parent);
    Label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label->setWordWrap(true);
    return Label;
}

} // namespace

TPropertiesForm::TPropertiesForm(TSettingsStore& Store, TDocumentProperties& Properties,
                                 QWidget* Parent)
    : QDialog(Parent), Store(Store), Properties(Properties)
{
    setObjectName("PropertiesForm");
    setWindowTitle("Properties");
    auto* Pages = new TFlatPageControl(this);
    Pages->setObjectName("PageControl");
    Pages->SetFlat(false);
    Pages->addTab(ProjectPage(), "Project");
    Pages->addTab(FilePage(), "File");

    auto* Accept = new QPushButton("&Accept", this);
    Accept->setObjectName("AcceptBtn");
    Accept->setDefault(true);
    auto* Cancel = new QPushButton("&Cancel", this);
    Cancel->setObjectName("CancelBtn");
    connect(Accept, &QPushButton::clicked, this,
            [this] { GuardedCall(this, [this] { AcceptBtnClick(); }); });
    connect(Cancel, &QPushButton::clicked, this,
            [this] { GuardedCall(this, [this] { CancelBtnClick(); }); });
    auto* Buttons = new QHBoxLayout;
    Buttons->addStretch(1);
    Buttons->addWidget(Accept);
    Buttons->addWidget(Cancel);

    auto* Layout = new QVBoxLayout(this);
    Layout->addWidget(Pages, 1);
    Layout->addLayout(Buttons);
    resize(420, 400);
    new TKeyNavigation(this);
    RestoreFormPlacement(Store, this, false, true);
}

QWidget* TPropertiesForm::ProjectPage()
{
    auto* Page = new QWidget;
    auto* Form = new QFormLayout(Page);
    auto Edit = [&](const char* Name) {
        auto* E = new QLineEdit(Page);
        E->setObjectName(Name);
        return E;
    };
    edProjectName = Edit("edProjectName");
    edProjectNumber = Edit("edProjectNumber");
    edDescription = new QPlainTextEdit(Page);
    edDescription->setObjectName("edDescription");
    edDescription->setTabChangesFocus(true);
    edAuthor = Edit("edAuthor");
    edCompany = Edit("edCompany");
    edDate = new QDateEdit(Page);
    edDate->setObjectName("edDate");
    edDate->setCalendarPopup(true);
    edDate->setDisplayFormat("d MMMM yyyy");
    edDate->setMinimumDate(QDate(100, 1, 1));
    KeepCheckBox = new QCheckBox("Keep name, number, author and company for new documents", Page);
    KeepCheckBox->setObjectName("KeepCheckBox");

    Form->addRow("Project &name", edProjectName);
    Form->addRow("Project n&umber", edProjectNumber);
    Form->addRow("&Description", edDescription);
    Form->addRow("Au&thor", edAuthor);
    Form->addRow("C&ompany", edCompany);
    Form->addRow("Dat&e", edDate);
    Form->addRow(KeepCheckBox);

    // Author, company and the check box are no change of the document.
    for (QLineEdit* E : {edProjectName, edProjectNumber})
        connect(E, &QLineEdit::textEdited, this, [this] { MarkModified(); });
    connect(edDescription, &QPlainTextEdit::textChanged, this, [this] { MarkModified(); });
    connect(edDate, &QDateEdit::dateChanged, this, [this] { MarkModified(); });
    return Page;
}

QWidget* TPropertiesForm::FilePage()
{
    auto* Page = new QWidget;
    auto* Form = new QFormLayout(Page);
    const struct {
        QLabel*& Label;
        const char* Name;
        const char* Caption;
    } Facts[] = {
        {FileName, "FileName", "Name:"},
        {FileSize, "FileSize", "Size:"},
        {FileCreated, "FileCreated", "Created:"},
        {FileModified, "FileModified", "Modified:"},
        {FileAccessed, "FileAccessed", "Accessed:"},
        {FileType, "FileType", "Type:"},
        {FileAttributes, "FileAttributes", "Attributes:"},
    };
    for (const auto& F : Facts) {
        F.Label = FactLabel(Page);
        F.Label->setObjectName(F.Name);
        Form->addRow(F.Caption, F.Label);
    }
    return Page;
}

int TPropertiesForm::Execute()
{
    return RunModal(*this);
}

void TPropertiesForm::SetFileNameRef(std::function<QString()> Source)
{
    FileNameRef = std::move(Source);
}

void TPropertiesForm::MarkModified()
{
    if (!Filling)
        FModified = true;
}

void TPropertiesForm::ShowProperties()
{
    Shown.Name = ToQ(Properties.ProjectName);
    Shown.Number = ToQ(Properties.ProjectNumber);
    Shown.Author = ToQ(Properties.Author);
    Shown.Company = ToQ(Properties.Company);
    Shown.Modified = FModified;
    Filling = true;
    edProjectName->setText(Shown.Name);
    edProjectNumber->setText(Shown.Number);
    edDescription->setPlainText(MemoText(Properties.Description));
    edAuthor->setText(Shown.Author);
    edCompany->setText(Shown.Company);
    edDate->setDate(DateOf(Properties.Date));
    Filling = false;
    // As the controls hold them: the memo may have tidied the text, a date
    // before the calendar's first day shows that day.
    Shown.Description = edDescription->toPlainText();
    Shown.Date = edDate->date();
    FillFilePage();
}

void TPropertiesForm::FillFilePage()
{
    const TFileFacts Facts = ReadFileFacts(FileNameRef ? FileNameRef() : QString());
    FileName->setText(Facts.Name);
    FileSize->setText(Facts.Size);
    FileCreated->setText(Facts.Created);
    FileModified->setText(Facts.Modified);
    FileAccessed->setText(Facts.Accessed);
    FileType->setText(Facts.Type);
    FileAttributes->setText(Facts.Attributes);
}

void TPropertiesForm::StoreProperties()
{
    // Only what was edited changes: the rest keeps its bytes.
    auto Take = [](const QLineEdit* Edit, const QString& Was, std::string& Value) {
        if (Edit->text() != Was)
            Value = Edit->text().toStdString();
    };
    Take(edProjectName, Shown.Name, Properties.ProjectName);
    Take(edProjectNumber, Shown.Number, Properties.ProjectNumber);
    Take(edAuthor, Shown.Author, Properties.Author);
    Take(edCompany, Shown.Company, Properties.Company);
    const QString Description = edDescription->toPlainText();
    if (Description != Shown.Description)
        Properties.Description = QString(Description).replace("\n", "\r\n").toStdString();
    if (edDate->date() != Shown.Date)
        Properties.Date = DayCountOfDate(edDate->date());
}

void TPropertiesForm::AcceptBtnClick()
{
    StoreProperties();
    if (KeepCheckBox->isChecked())
        Properties.SaveDefaults(Store);
    done(mrOk);
}

void TPropertiesForm::CancelBtnClick()
{
    Filling = true;
    edProjectName->setText(Shown.Name);
    edProjectNumber->setText(Shown.Number);
    edDescription->setPlainText(Shown.Description);
    edAuthor->setText(Shown.Author);
    edCompany->setText(Shown.Company);
    edDate->setDate(Shown.Date);
    Filling = false;
    FModified = Shown.Modified;
    done(mrCancel);
}

void TPropertiesForm::showEvent(QShowEvent* Event)
{
    if (!Event->spontaneous())
        GuardedCall(this, [this] { ShowProperties(); });
    QDialog::showEvent(Event);
}

void TPropertiesForm::done(int Result)
{
    // Esc and the window's close button cancel as "&Cancel" does.
    if (Result != mrOk && Result != mrCancel) {
        CancelBtnClick();
        return;
    }
    GuardedCall(this, [this] { SaveFormPlacement(Store, this); });
    QDialog::done(Result);
}
