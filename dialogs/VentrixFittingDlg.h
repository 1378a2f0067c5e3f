#pragma once
// The fitting dialog: edits one fitting of the network. The user narrows the
// database's base codes by function, geometry and category, picks a code,
// chooses the ducts the fitting joins, sets its inputs on sliders and reads
// the loss coefficients at once; Prev and Next step through the network's
// fittings; Table prints the code's coefficient tables. It reports through
// three events and never calls the main window.
//
// Run modally (its showing is its activation). Settings: section
// "VentrixFittingDlg" ("CBFunction", "CBGeometry", "CBCategory" and the
// placement, written at close); "Settings"/"ShowTable" shows the Table
// button and is only read.

#include "dialogs/SliderScale.h"
#include "fittings/DuctFitSummary.h"

#include <QDialog>
#include <QStringList>

#include <array>
#include <functional>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class TBandTrackBar;
class TDuctBranch;
class TDuctFittingDB;
class TDuctGraph;
class TFitting;
class TFittingPicture;
class TFlowBranch;
class TSettingsStore;

class TVentrixFittingDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int LinkCount = 4;
    static constexpr int RowPitch = 53;

    // One slider row: an input of the fitting, shared by every path that
    // names an input of that name.
    struct TParamRow {
        TBandTrackBar* TrackBar = nullptr;
        QLabel* InfoLabel = nullptr;
        QLabel* MinLabel = nullptr;
        QLabel* MaxLabel = nullptr;
        QLabel* ValLabel = nullptr;
        double Value = 0.0;
        TSliderScale Scale;
        std::vector<std::pair<int, int>> Inputs; // (path, input) pairs it serves
    };

    TVentrixFittingDlg(TDuctFittingDB& Database, TSettingsStore& Settings, QWidget* Parent = nullptr);
    ~TVentrixFittingDlg() override;

    void SetNetwork(TDuctGraph* Network) { FNetwork = Network; }
    void SetFitting(TFitting* Fitting) { FFitting = Fitting; }
    // The duct the dialog was opened from; none for a fitting of the list.
    void SetDuct(TDuctBranch* Duct) { FDuct = Duct; }
    TDuctGraph* Network() const { return FNetwork; }
    TFitting* Fitting() const { return FFitting; }
    TDuctBranch* Duct() const { return FDuct; }

    // What showing the dialog does: the messages for a missing network or
    // fitting, else the network's adjacency, LoadFitting and the Prev/Next
    // buttons.
    void Activate();
    // Shows the fitting: caption, filters following its code, the codes,
    // the picture, the slider rows, the links and the C-values.
    void LoadFitting();
    // The checks of Close, Prev and Next; false keeps the dialog where it
    // is. Strict (the buttons) also refuses to go on without a fitting or a
    // code; the window's own close allows that.
    bool ValidateFitting(bool Strict);
    // Writes the dialog's choices into the fitting and computes it.
    void Store();
    // The next (+1) or previous (-1) fitting that has a code, at most one lap
    // round the list; none found keeps the present one.
    void StepFitting(int Direction);
    // The user picked Item in link list Link.
    void ChooseLink(int Link, int Item);
    // All four link lists hold every duct again.
    void ResetLinks();
    // The coefficient tables of the code, in the table viewer, modally.
    void ShowTable();

    const TDuctFitSummary& Summary() const { return FSummary; }
    const std::vector<TParamRow>& Rows() const { return FRows; }
    // The ducts the link lists name.
    std::vector<TFlowBranch*> LinkedDucts() const;

    // Events: the ducts of the links before a change (flag 0, the old links)
    // and after it (flag 1); after every stored change; after every stored
    // change and after Prev/Next.
    std::function<void(const std::vector<TFlowBranch*>& Ducts, int Flag)> OnDuctsChanged;
    std::function<void(TVentrixFittingDlg* Sender)> OnChanged;
    std::function<void(TFitting* Fitting)> OnFittingSelected;

    QPushButton* AcceptBtn;
    QPushButton* TableBtn;
    QPushButton* PrevBtn;
    QPushButton* NextBtn;
    QPushButton* ResetBtn;
    QComboBox* CBFunction;
    QComboBox* CBGeometry;
    QComboBox* CBCategory;
    QComboBox* CodeCombo;
    QLabel* DescrLabel;
    TFittingPicture* Image1;
    std::array<QComboBox*, LinkCount> CBLink{};
    std::array<QLabel*, LinkCount> LinkLabel{};
    std::array<QLabel*, LinkCount> CLabel{};
    QLabel* CHead;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    QString BaseCode() const;
    // The stored inputs of the fitting belong to the code shown.
    bool FittingHoldsCode() const;
    void FillCodeCombo();
    void ReadSummary();
    void LayoutFitting();
    void BuildRows();
    TParamRow& NewRow();
    void FreeRows();
    void PlaceRows();
    void ShowBands();
    void LayoutLinks();
    int VisibleLinks() const;
    void ShowCValues();
    QStringList AllDucts() const;
    QStringList NeighbourDucts(const QString& LinkText) const;
    void FillLinkList(int Link, const QStringList& Items, const QString& Select);
    std::vector<TFlowBranch*> DuctsOf(const std::array<QString, LinkCount>& Texts) const;
    void SaveLinkTexts();
    void FilterChanged();
    void CodeChanged();
    void SliderMoved(std::size_t Row, int Position);
    bool CloseDialog(int Result, bool Strict);
    void LoadSettings();
    void SaveSettings();
    void FireDuctsChanged(const std::vector<TFlowBranch*>& Ducts, int Flag);

    TDuctFittingDB& FDatabase;
    TSettingsStore& FSettings;
    TDuctGraph* FNetwork = nullptr;
    TFitting* FFitting = nullptr;
    TDuctBranch* FDuct = nullptr;
    TDuctFitSummary FSummary;
    std::array<QString, LinkCount> FSavedLinks;
    std::vector<TParamRow> FRows;
    QWidget* FRowPanel;
    QScrollArea* FRowScroll;
    bool FLoading = false;
    bool FClosing = false;
};
