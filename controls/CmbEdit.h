#pragma once
// A numeric edit with a picture button at its right end (a roughness or
// size picker beside the number). The edit's properties and events are
// reached through the control; the button adds its picture, width, colour
// and OnButtonClick.

#include "controls/FmtEdit.h"
#include "controls/PicPanel.h"

#include <QWidget>

class TCmbEdit : public QWidget {
    Q_OBJECT

public:
    explicit TCmbEdit(QWidget* Parent = nullptr);

    TFmtEdit* Edit() const { return FEdit; }
    TPicPanel* Button() const { return FButton; }

    // Of the edit.
    QString FormatStr() const { return FEdit->FormatStr(); }
    void SetFormatStr(const QString& Fmt) { FEdit->SetFormatStr(Fmt); }
    TFormatType FormatType() const { return FEdit->FormatType(); }
    void SetFormatType(TFormatType Type) { FEdit->SetFormatType(Type); }
    double RangeHi() const { return FEdit->RangeHi(); }
    void SetRangeHi(double Value) { FEdit->SetRangeHi(Value); }
    double RangeLo() const { return FEdit->RangeLo(); }
    void SetRangeLo(double Value) { FEdit->SetRangeLo(Value); }
    int SigDigs() const { return FEdit->SigDigs(); }
    void SetSigDigs(int Digits) { FEdit->SetSigDigs(Digits); }
    int UnitsBase() const { return FEdit->UnitsBase(); }
    void SetUnitsBase(int Index) { FEdit->SetUnitsBase(Index); }
    TFmtEditLabel* UnitsLabel() const { return FEdit->UnitsLabel(); }
    void SetUnitsLabel(TFmtEditLabel* Label) { FEdit->SetUnitsLabel(Label); }
    TUnitsType UnitsType() const { return FEdit->UnitsType(); }
    void SetUnitsType(TUnitsType Type) { FEdit->SetUnitsType(Type); }
    int UnitsValue() const { return FEdit->UnitsValue(); }
    void SetUnitsValue(int Index) { FEdit->SetUnitsValue(Index); }
    QString Text() const { return FEdit->text(); }
    void SetText(const QString& Text) { FEdit->setText(Text); }
    // Color and EditColor both paint the edit's field.
    QColor Color() const;
    void SetColor(const QColor& Color);
    QColor EditColor() const { return Color(); }
    void SetEditColor(const QColor& Color) { SetColor(Color); }
    QFont Font() const { return FEdit->font(); }
    void SetFont(const QFont& Font) { FEdit->setFont(Font); }
    // The edit's tool tip, shown while ShowHint is set.
    QString Hint() const { return FHint; }
    void SetHint(const QString& Hint);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Show);
    bool EditEnabled() const { return FEdit->isEnabled(); }
    void SetEditEnabled(bool Enabled) { FEdit->setEnabled(Enabled); }
    void SetOnClick(std::function<void(TxCustomEdit*)> Handler) { FEdit->OnClick = std::move(Handler); }
    void SetOnExit(std::function<void(TxCustomEdit*)> Handler) { FEdit->OnExit = std::move(Handler); }
    void SetOnUnitsEdited(std::function<void(TxCustomEdit*)> Handler)
    {
        FEdit->OnUnitsEdited = std::move(Handler);
    }

    QVariant GetValue() const { return FEdit->GetValue(); }
    void SetValue(const QVariant& V) { FEdit->SetValue(V); }
    bool AcceptEdit() { return FEdit->AcceptEdit(); }
    bool Modified() const { return FEdit->Modified(); }

    // Of the button.
    QPixmap Picture() const { return FButton->Picture(); }
    void SetPicture(const QPixmap& Picture) { FButton->SetPicture(Picture); }
    bool Center() const { return FButton->Center(); }
    void SetCenter(bool Value) { FButton->SetCenter(Value); }
    bool Stretch() const { return FButton->Stretch(); }
    void SetStretch(bool Value) { FButton->SetStretch(Value); }
    bool Transparent() const { return FButton->Transparent(); }
    void SetTransparent(bool Value) { FButton->SetTransparent(Value); }
    int ButtonWidth() const { return FButton->width(); }
    void SetButtonWidth(int Width) { FButton->setFixedWidth(Width); }
    QColor ButtonColor() const;
    void SetButtonColor(const QColor& Color);
    bool ButtonEnabled() const { return FButton->isEnabled(); }
    void SetButtonEnabled(bool Enabled) { FButton->setEnabled(Enabled); }

    std::function<void(TCmbEdit* Sender)> OnButtonClick;

private:
    TFmtEdit* FEdit;
    TPicPanel* FButton;
    QString FHint;
    bool FShowHint = true;
};
