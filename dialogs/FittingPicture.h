#pragma once
// The fitting dialog's picture: the schematic of a base code, read from the
// database folder ("<base code>.gif", any case of the name), stretched in
// proportion and centred. A picture that cannot be had is said in the
// picture area itself ("Picture not found: <file>") instead of a message box.

#include "controls/StretchedImage.h"

class TFittingPicture : public TStretchedImage {
    Q_OBJECT

public:
    explicit TFittingPicture(QWidget* Parent = nullptr);

    // Shows the picture of BaseCode from Folder; nothing is read again while
    // the file name stays the one shown last. False when the picture is
    // missing or unreadable.
    bool ShowCode(const QString& Folder, const QString& BaseCode);
    // Shows nothing (no fitting code).
    void Clear();

    // The file of a base code: Folder + code + ".gif", or the file in Folder
    // whose name matches it without regard to case.
    static QString PictureFile(const QString& Folder, const QString& BaseCode);

    // The text drawn instead of a picture; empty while one is shown.
    const QString& MissingText() const { return FMissingText; }
    bool Showing() const { return FShowing; }

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    QString FFileName;
    QString FMissingText;
    bool FShowing = false;
};
