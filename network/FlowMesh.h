#pragma once
// A mesh of the duct network with the values of the loop method.

#include "network/GraphMesh.h"

class TFlowMesh : public TMesh {
public:
    using TMesh::TMesh;

    double FlowCorrection = 0.0; // kg/s, the circulating correction ΔQ
    double MeshResidual = 0.0;   // Pa, signed sum of the total drops around the mesh
    double Gain = 0.005;         // the secant slope, kg/s per Pa
    bool HasFan = false;         // the mesh contains the main fan
};
