#pragma once
// Keeping a restored window reachable on the screen, without a screen: the
// window layer passes the screen's area in.

// Window states as stored in the settings.
enum TWindowState { wsNormal = 0, wsMinimized = 1, wsMaximized = 2 };

struct TScreenArea {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

struct TWindowPosition {
    int Left = 0;
    int Top = 0;
};

// A position left or above the screen moves to its edge; one within 100
// pixels of the right or bottom edge (or beyond) moves back to 200 pixels
// from that edge, but never past the left or top edge on a small screen.
TWindowPosition KeepWindowReachable(TWindowPosition Position, const TScreenArea& Screen);

// A stored window state as one of the known states (an unknown value is
// wsNormal).
TWindowState WindowStateFromInt(int Value);
