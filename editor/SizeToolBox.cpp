#include "editor/SizeToolBox.h"

#include "controls/FmtEdit.h"
#include "controls/GuardedCall.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {

TFmtEdit* SizeEdit(QWidget* Parent)
{
    auto* Edit = new TFmtEdit(Parent);
    Edit->SetFormatStr("%d");
    Edit->SetRangeLo(100);
    Edit->SetRangeHi(2500);
    Edit->setMaximumWidth(70);
    return Edit;
}

int ValueOf(const TFmtEdit* Edit)
{
    try {
        return Edit->GetValue().toInt();
    } catch (const std::exception&) {
        return 0;
    }
}

} // namespace

TSizeToolBox::TSizeToolBox(TSettingsStore& Settings, QWidget* Parent)
    : TToolWindow(Settings, "SizeToolBox", "Size Background", Parent)
{
    EdWidth = SizeEdit(this);
    EdHeight = SizeEdit(this);
    BackSizeBtn = new QPushButton("Size to background picture", this);
    CropBtn = new QPushButton("Crop to graph edges", this);
    auto* Layout = new QGridLayout(this);
    Layout->addWidget(new QLabel("Width", this), 0, 0);
    Layout->addWidget(EdWidth, 0, 1);
    Layout->addWidget(new QLabel("pixels", this), 0, 2);
    Layout->addWidget(new QLabel("Height", this), 1, 0);
    Layout->addWidget(EdHeight, 1, 1);
    Layout->addWidget(new QLabel("pixels", this), 1, 2);
    Layout->addWidget(BackSizeBtn, 2, 0, 1, 3);
    Layout->addWidget(CropBtn, 3, 0, 1, 3);

    EdWidth->OnExit = [this](TxCustomEdit*) { SizeEdited(EdWidth); };
    EdHeight->OnExit = [this](TxCustomEdit*) { SizeEdited(EdHeight); };
    connect(BackSizeBtn, &QPushButton::clicked, this, [this] {
        if (OnSizeToBackground)
            GuardedCall(this, OnSizeToBackground);
    });
    connect(CropBtn, &QPushButton::clicked, this, [this] {
        if (OnCrop)
            GuardedCall(this, OnCrop);
    });
    RestorePlacement();
}

void TSizeToolBox::ShowSize(int Width, int Height)
{
    EdWidth->SetValue(Width);
    EdHeight->SetValue(Height);
}

int TSizeToolBox::DrawingWidth() const { return ValueOf(EdWidth); }

int TSizeToolBox::DrawingHeight() const { return ValueOf(EdHeight); }

void TSizeToolBox::SizeEdited(TFmtEdit* Edit)
{
    if (!Edit->Modified() || !Edit->AcceptEdit())
        return;
    if (OnSizeChanged)
        OnSizeChanged();
}
