#pragma once
// The pictures of the main window's tool bar, drawn here.

#include <QIcon>

enum class TMainIcon {
    New, Open, Save, Table,
    EqualFriction, StaticRegain, Velocity, StandardSizes, SumFlows, BalanceFlows,
    PrintReport,
};

QIcon MainIcon(TMainIcon Which);
