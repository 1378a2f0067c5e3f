#pragma once
// Hands a page, a file or an address to the desktop: the browser, the mail
// program or whatever the desktop opens it with. A hand-off that cannot
// start, or whose opener gives up (no browser set up), is said, never
// dropped in silence.

#include <QString>

#include <functional>

// Starts the hand-off of Target (a file or a URL). OnFailure gets the
// reason when the opener is missing or fails to start (before this
// returns false) or when it ends in failure later (on Unix desktops the
// opener, "xdg-open" unless Opener names another, is watched until it
// ends).
bool HandOffToDesktop(const QString& Target, const std::function<void(const QString& Why)>& OnFailure,
                      const QString& Opener = "xdg-open");

// The message shown when Target could not be opened, for Why.
QString HandOffFailureText(const QString& Target, const QString& Why);
