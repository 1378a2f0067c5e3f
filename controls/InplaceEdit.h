#pragma once
// The grids' in-place editor: the numeric edit, one per grid, shown over the
// cell being edited and reused for every cell. The grid gives it the cell's
// format (and for field grids the field's format type, units factor and
// range) before each edit.

#include "controls/FmtEdit.h"

class TxInplaceEdit : public TFmtEdit {
    Q_OBJECT

public:
    explicit TxInplaceEdit(QWidget* Parent = nullptr) : TFmtEdit(Parent) { setFrame(false); }

    // A refused entry beeps, but the editor does not take the focus back:
    // the grid stores the limit or keeps the old cell and closes the editor,
    // and the focus goes where the user moved it.
    bool CommitIfModified() override
    {
        if (!Modified() || ValidateText(text()))
            return true;
        InputRejected();
        return false;
    }
};
