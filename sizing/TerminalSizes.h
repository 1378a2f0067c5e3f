#pragma once
// Neck sizes of the terminals: the duct diameter (m) a terminal of a given
// kind needs for its design flow (m³/s; its sign, the drawing direction, does
// not matter). Diffusers step through their catalogue sizes; grilles,
// canopies and plain openings take the circle of their face area (flow over
// 2, 5 and 7 m/s) in steps of 0.05 m, never less than one step.

// Outlet kinds: 0 diffuser, 1 grille, 2 plain outlet.
double OutletNeckDiameter(int Kind, double DesignFlow);
// Inlet kinds: 0 grille, 1 canopy, 2 plain inlet.
double InletNeckDiameter(int Kind, double DesignFlow);
