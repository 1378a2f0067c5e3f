#pragma once
// A tabbed page control whose pages cover the usual frame around them
// (Flat, the default), for pages that bring their own borders.

#include <QTabWidget>

class TFlatPageControl : public QTabWidget {
    Q_OBJECT
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)

public:
    explicit TFlatPageControl(QWidget* Parent = nullptr);

    bool Flat() const { return documentMode(); }
    void SetFlat(bool Value) { setDocumentMode(Value); }
};
