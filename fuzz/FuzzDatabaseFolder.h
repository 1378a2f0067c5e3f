#pragma once
// A fitting database folder of the fuzzer's own, in the temporary folder and
// named after the process so parallel fuzzers keep apart: each run writes
// the file under test into it, next to a copy of the built database's other
// file. The built database is in the build tree (VENTRIX_COMMON_DATA_DIR).

#include "fittings/DuctFittingDB.h"
#include "fittings/FittingTypes.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// The common data folder the fuzzer's database lives under.
inline const std::string& FuzzCommonDir()
{
    static const std::string Dir = [] {
        const auto Common =
            std::filesystem::temp_directory_path() / ("ventrix-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(Common / DuctFittingsFolderName);
        return Common.string() + "/";
    }();
    return Dir;
}

inline std::string FuzzDatabaseFile(const char* Ext)
{
    return DuctFittingsFolder(FuzzCommonDir()) + DuctFittingsFileName + Ext;
}

inline std::string ReadWholeFile(const std::string& Name)
{
    std::ifstream In(Name, std::ios::binary);
    return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

// The built database's file with this extension.
inline std::string BuiltDatabaseFile(const char* Ext)
{
    return DuctFittingsFolder(VENTRIX_COMMON_DATA_DIR) + DuctFittingsFileName + Ext;
}

inline void WriteWholeFile(const std::string& Name, const std::string& Bytes)
{
    std::ofstream(Name, std::ios::binary | std::ios::trunc) << Bytes;
}

// The sections of a plain tee: a 0.3 m main of 0.3 m³/s, a 0.25 m straight
// of 0.2 m³/s and a 0.2 m branch of 0.1 m³/s.
inline TDuctSection FuzzSection(double D, double Q)
{
    TDuctSection S;
    S.D = D;
    S.Q = Q;
    S.A = 3.14159265358979 * D * D / 4.0;
    S.L = 1.0;
    return S;
}

// Every computation a loaded fitting offers the network and the fitting
// dialog; each must give a value or an empty answer, never fail.
inline void ExerciseFitting(TDuctFitting& F)
{
    const TDuctSection C = FuzzSection(0.3, 0.3);
    const TDuctSection S = FuzzSection(0.25, 0.2);
    const TDuctSection B = FuzzSection(0.2, 0.1);
    TFloatVec Values;
    F.GetMidAxisValues(Values);
    F.GetCoefficientAt(S, B, B, C, S, Values);
    F.GetCoefficient(S, B, B, C, S, F.InputDefaults);
    F.GetVelocityRatios(S, B, B, C, S, Values);
    F.GetFlowRatios(S, B, B, C, S, Values);
}
