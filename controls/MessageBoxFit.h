#pragma once
// A message box stays within the screen: a text too long for it (a list of
// hundreds of items) scrolls inside the box, so that its buttons are always
// there to be clicked.

#include <QRect>

class QMessageBox;

// Call after the box's text is set, before it is shown. Available is the
// part of the screen that windows may take.
void KeepMessageBoxWithinScreen(QMessageBox& Box, const QRect& Available);
