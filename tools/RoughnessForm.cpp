#include "tools/RoughnessForm.h"

#include "foundation/NumberFormat.h"
#include "platform/FormPlacement.h"
#include "tools/ToolGlyphs.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

struct TRoughnessClass {
    const char* Name;
    const char* Mm;
};

constexpr TRoughnessClass Classes[] = {
    {"Smooth", "0.03"}, {"Medium smooth", "0.09"}, {"Average", "0.15"}, {"Medium rough", "0.90"}, {"Rough", "3.00"},
};

QToolButton* TextButton(const QString& Caption, TToolGlyph Glyph, QWidget* Parent)
{
    auto* Button = new QToolButton(Parent);
    Button->setText(Caption);
    Button->setIcon(ToolGlyph(Glyph));
    Button->setToolTip(QString(Caption).remove('&'));
    Button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    Button->setAutoRaise(true);
    Button->setFocusPolicy(Qt::NoFocus);
    return Button;
}

bool IsEnter(int Key)
{
    return Key == Qt::Key_Return || Key == Qt::Key_Enter;
}

} // namespace

TRoughnessForm::TRoughnessForm(TSettingsStore& Settings, QWidget* Parent)
    : TRootForm(Parent), Settings(Settings)
{
    setObjectName("RoughnessForm");
    setWindowTitle("Duct roughness");
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    AcceptButton = TextButton("&Accept", TToolGlyph::Accept, this);
    CancelButton = TextButton("&Cancel", TToolGlyph::Cancel, this);
    auto* Tools = new QHBoxLayout;
    Tools->setContentsMargins(2, 2, 2, 2);
    Tools->addWidget(AcceptButton);
    Tools->addWidget(CancelButton);
    Tools->addStretch(1);

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName("ListView1");
    ListView1->setColumnCount(2);
    ListView1->setHeaderLabels({"Roughness", "mm"});
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->header()->setStretchLastSection(true);
    // 100 pixels, or what the longest class name needs in this font.
    ListView1->setColumnWidth(0, std::max(100, ListView1->fontMetrics().horizontalAdvance("Medium smooth") + 24));
    ListView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (const TRoughnessClass& Class : Classes) {
        new QTreeWidgetItem(ListView1, {Class.Name, Class.Mm});
    }
    ListView1->installEventFilter(this);

    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    Layout->addLayout(Tools);
    Layout->addWidget(ListView1, 1);
    resize(ListView1->columnWidth(0) + ListView1->fontMetrics().horizontalAdvance("0.000") + 40, 190);
    RestoreFormPlacement(Settings, this, false, true);

    connect(AcceptButton, &QToolButton::clicked, this, [this] { CloseWith(mrOk); });
    connect(CancelButton, &QToolButton::clicked, this, [this] { CloseWith(mrCancel); });
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, [this] { CloseWith(mrOk); });
}

TRoughnessForm::~TRoughnessForm()
{
    SaveFormPlacement(Settings, this);
}

double TRoughnessForm::GetRoughness() const
{
    const QList<QTreeWidgetItem*> Selected = ListView1->selectedItems();
    double Mm = 0.0;
    if (Selected.isEmpty() || !TryStrToFloat(Selected.first()->text(1).toStdString(), Mm))
        return 0.0;
    return Mm;
}

void TRoughnessForm::SelectRow(int Row)
{
    ListView1->clearSelection();
    if (QTreeWidgetItem* Item = ListView1->topLevelItem(Row)) {
        ListView1->setCurrentItem(Item);
        Item->setSelected(true);
    }
}

void TRoughnessForm::FormActivate()
{
    Cancelled = false;
}

void TRoughnessForm::FormClose()
{
    if (Cancelled || ListView1->selectedItems().isEmpty())
        OverrideResult(mrCancel);
}

void TRoughnessForm::keyPressEvent(QKeyEvent* Event)
{
    // Enter takes the selected row; Esc leaves without one.
    if (IsEnter(Event->key())) {
        CloseWith(mrOk);
        return;
    }
    if (Event->key() == Qt::Key_Escape) {
        Cancelled = true;
        CloseWith(mrCancel);
        return;
    }
    TRootForm::keyPressEvent(Event);
}

bool TRoughnessForm::eventFilter(QObject* Watched, QEvent* Event)
{
    // The list would keep Enter and Esc for itself.
    if (Watched == ListView1 && Event->type() == QEvent::KeyPress) {
        const int Key = static_cast<QKeyEvent*>(Event)->key();
        if (IsEnter(Key) || Key == Qt::Key_Escape) {
            keyPressEvent(static_cast<QKeyEvent*>(Event));
            return true;
        }
    }
    return TRootForm::eventFilter(Watched, Event);
}
