#pragma once
// A horizontal track bar of positions 0..1000 that can mark a band (the
// selection) along its groove: the fitting dialog shows there where the
// actual value of an input lies. The band's ends may lie outside the range;
// only the part inside is drawn.

#include <QSlider>

class TBandTrackBar : public QSlider {
    Q_OBJECT

public:
    explicit TBandTrackBar(QWidget* Parent = nullptr);

    // Positions of the band; no band while SelEnd is not above SelStart.
    void SetSelection(int SelStart, int SelEnd);
    void ClearSelection() { SetSelection(0, 0); }
    int SelStart() const { return FSelStart; }
    int SelEnd() const { return FSelEnd; }
    bool HasSelection() const { return FSelEnd > FSelStart; }

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    int FSelStart = 0;
    int FSelEnd = 0;
};
