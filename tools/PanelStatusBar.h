#pragma once
// The status bar of the tool windows: a row of sunken panels of given widths
// (the last one takes what is left), or in simple mode one text over the
// whole bar.

#include <QFrame>
#include <QString>

#include <vector>

class QLabel;
class QHBoxLayout;

class TPanelStatusBar : public QFrame {
    Q_OBJECT

public:
    explicit TPanelStatusBar(QWidget* Parent = nullptr);

    // Replaces the panels by empty ones of these widths.
    void SetPanels(const std::vector<int>& Widths);
    int PanelCount() const { return static_cast<int>(Panels.size()); }
    // Reading a panel that does not exist gives an empty text; writing one
    // does nothing.
    QString PanelText(int Index) const;
    void SetPanelText(int Index, const QString& Text);

    bool SimplePanel() const { return Simple; }
    void SetSimplePanel(bool Value);
    QString SimpleText() const;
    void SetSimpleText(const QString& Text);

private:
    void ShowMode();

    QHBoxLayout* Layout;
    QLabel* SimpleLabel;
    std::vector<QLabel*> Panels;
    bool Simple = false;
};
