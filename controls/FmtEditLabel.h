#pragma once
// The label beside one or more numeric edits: it shows their unit and, when
// clicked, offers the quantity's units at the pointer; every linked edit then
// shows its value in the picked unit and fires OnUnitsEdited.

#include <QLabel>

#include <vector>

class TxCustomEdit;

class TFmtEditLabel : public QLabel {
    Q_OBJECT

public:
    explicit TFmtEditLabel(QWidget* Parent = nullptr);
    // Linked edits forget a label that goes.
    ~TFmtEditLabel() override;

    // In the order they were linked; the first one's quantity is offered.
    const std::vector<TxCustomEdit*>& LinkedEdits() const { return Edits; }
    // The units pick list, 5 pixels right of and below the pointer.
    void EditUnits();

protected:
    void mouseReleaseEvent(QMouseEvent* Event) override;

private:
    friend class TxCustomEdit;
    void Link(TxCustomEdit* Edit);
    void Unlink(TxCustomEdit* Edit);

    std::vector<TxCustomEdit*> Edits;
};
