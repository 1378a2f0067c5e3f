#pragma once
// A small locations database for the picker and barometer tests: two
// databases and "+All", and a third database listed but not installed.

#include "locations/LocationRecord.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <cmath>
#include <string>
#include <vector>

namespace TestLocations {

inline TLocationRecord Place(int Group, int Region, const char* Name, float Altitude, float Db, float Wb)
{
    TLocationRecord R;
    R.GroupCode = Group;
    R.RegionCode = Region;
    R.Name = Name;
    R.Latitude = -33.93f;
    R.Longitude = 18.6f;
    R.TimeZone = 2;
    R.Altitude = Altitude;
    R.CoolingDryBulb = Db;
    R.CoolingWetBulb = Wb;
    R.HeatingDryBulb = 3;
    R.WindSpeed = 4.5f;
    R.MaxDryBulb = 38;
    R.MinDryBulb = -2;
    R.DryBulbRange = 11;
    return R;
}

// Testland: Highville (North, 1500 m, 32.0/18.0), Lowtown and Peak (South;
// Peak lies higher than any air we compute). Farland: Eastport.
inline const std::vector<TLocationRecord> Testland = {
    Place(1, 1, "Highville", 1500, 32.0f, 18.0f),
    Place(1, 2, "Lowtown", 12, 30.5f, 24.1f),
    Place(1, 2, "Peak", 12000, 5, 1),
};
inline const std::vector<TLocationRecord> Farland = {Place(2, 1, "Eastport", 40, 29, 22)};

inline void WriteRecords(const QString& FileName, const std::vector<TLocationRecord>& Records)
{
    std::string Bytes;
    for (const TLocationRecord& R : Records)
        Bytes += EncodeLocationRecord(R);
    QFile File(FileName);
    File.open(QIODevice::WriteOnly);
    File.write(Bytes.data(), static_cast<qint64>(Bytes.size()));
}

inline void Write(const QString& Folder)
{
    QFile Index(Folder + "/Regions.idx");
    Index.open(QIODevice::WriteOnly);
    Index.write("[+All]\nTestland=1\nFarland=2\n\n"
                "[Testland]\nAll regions=0\nNorth=1\nSouth=2\n\n"
                "[Farland]\nEast=1\n\n"
                "[Missing]\nNowhere=1\n");
    WriteRecords(Folder + "/Testland.wdb", Testland);
    WriteRecords(Folder + "/Farland.wdb", Farland);
    std::vector<TLocationRecord> All = Testland;
    All.insert(All.end(), Farland.begin(), Farland.end());
    WriteRecords(Folder + "/+All.wdb", All);
}

} // namespace TestLocations
