#pragma once
// The document properties dialog: project name and number, a description
// of several lines, author, company and date of the open document, and a
// page telling about the document's file. "&Accept" writes what was edited
// into the document's properties (and, with KeepCheckBox ticked, name,
// number, author and company as the defaults of new documents); "&Cancel"
// puts back what the dialog showed when it opened.
//
// A value that was not edited goes back byte for byte; an edited
// description gets CR LF between its lines, as documents hold it.

#include <QDate>
#include <QDialog>

#include <functional>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class TDocumentProperties;
class TSettingsStore;

class TPropertiesForm : public QDialog {
    Q_OBJECT

public:
    // Edits Properties; the placement and the defaults live in Store.
    TPropertiesForm(TSettingsStore& Store, TDocumentProperties& Properties,
                    QWidget* Parent = nullptr);

    // Runs the dialog modally: mrOk after "&Accept", mrCancel otherwise.
    int Execute();

    // Where the file page reads the document's file name (empty: unnamed);
    // set once by the main window.
    void SetFileNameRef(std::function<QString()> Source);

    // Set by a change of name, number, description or date; the main
    // window clears it.
    bool Modified() const { return FModified; }
    void SetModified(bool Value) { FModified = Value; }

protected:
    void showEvent(QShowEvent* Event) override;
    void done(int Result) override;

private:
    QWidget* ProjectPage();
    QWidget* FilePage();
    // The properties into the controls; what they show is kept for Cancel.
    void ShowProperties();
    void FillFilePage();
    // The edited controls into the properties.
    void StoreProperties();
    void MarkModified();

    void AcceptBtnClick();
    void CancelBtnClick();

    TSettingsStore& Store;
    TDocumentProperties& Properties;
    std::function<QString()> FileNameRef;
    bool FModified = false;
    // What the dialog showed when it opened.
    struct TShown {
        QString Name, Number, Description, Author, Company;
        QDate Date;
        bool Modified = false;
    } Shown;
    bool Filling = false;

    QLineEdit* edProjectName;
    QLineEdit* edProjectNumber;
    QPlainTextEdit* edDescription;
    QLineEdit* edAuthor;
    QLineEdit* edCompany;
    QDateEdit* edDate;
    QCheckBox* KeepCheckBox;
    QLabel* FileName;
    QLabel* FileSize;
    QLabel* FileCreated;
    QLabel* FileModified;
    QLabel* FileAccessed;
    QLabel* FileType;
    QLabel* FileAttributes;
};
