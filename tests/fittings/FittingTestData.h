#pragma once
// Small hand-made fitting records and databases for the tests.

#include "fittings/DuctFittingDB.h"
#include "fittings/DuctFittingDBWriter.h"
#include "fittings/FittingClassTable.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

inline TFittingSource ConstSource(const std::string& Code, double C)
{
    TFittingSource S;
    S.ClassName = "TDuctFitConst";
    S.Code = Code;
    S.Name = "Constant " + Code;
    S.CMin = C;
    S.CMax = C;
    S.C = C;
    return S;
}

// A one-dimensional fitting over XAxis; the class decides the inputs.
inline TFittingSource OneDimSource(const std::string& ClassName, const std::string& Code,
                                   TFloatVec XAxis, TFloatVec Values, double CMin, double CMax)
{
    TFittingSource S;
    S.ClassName = ClassName;
    S.Code = Code;
    S.Name = ClassName + " " + Code;
    S.CMin = CMin;
    S.CMax = CMax;
    S.AxisNames = {"x"};
    S.AxisScales = {st_lin};
    S.AxisDefaults = {-1};
    S.XAxis = std::move(XAxis);
    S.Values = std::move(Values);
    return S;
}

// Creates the fitting object that the data file would give for Source.
inline std::unique_ptr<TDuctFitting> MakeFitting(const TFittingSource& Source)
{
    TValueWriter Writer;
    WriteFittingRecord(Writer, Source);
    TValueReader Reader(Writer.Bytes());
    const TFittingClass* Class = FindFittingClass(Reader.ReadString());
    return Class->Create(Reader);
}

// A fresh folder under the system's temporary folder, removed at the end.
class TTempFolder {
public:
    TTempFolder()
    {
        const auto Base = std::filesystem::temp_directory_path();
        for (int i = 0;; ++i) {
            Path = Base / ("ventrix-fittings-" + std::to_string(::getpid()) + "-" + std::to_string(i));
            if (std::filesystem::create_directory(Path))
                break;
        }
    }
    ~TTempFolder()
    {
        std::error_code Error;
        std::filesystem::remove_all(Path, Error);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    // With a trailing separator, as the program's folders are given.
    std::string Dir() const { return Path.string() + "/"; }
    std::string DbFolder() const { return DuctFittingsFolder(Dir()); }

private:
    std::filesystem::path Path;
};

inline void WriteBytes(const std::string& FileName, const std::string& Bytes)
{
    std::filesystem::create_directories(std::filesystem::path(FileName).parent_path());
    std::ofstream Out(FileName, std::ios::binary | std::ios::trunc);
    Out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
}
