#include "controls/FlatPageControl.h"

TFlatPageControl::TFlatPageControl(QWidget* Parent) : QTabWidget(Parent)
{
    SetFlat(true);
}
