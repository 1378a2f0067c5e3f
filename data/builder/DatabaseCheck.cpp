#include "data/builder/DatabaseCheck.h"

#include "fittings/DuctFittingDB.h"
#include "fittings/FittingClassTable.h"
#include "fittings/FittingKeys.h"
#include "fittings/MidAxisEvaluation.h"
#include "foundation/WarningSink.h"

#include <cmath>
#include <set>
#include <typeinfo>

namespace {

void TakeWarnings(TRecordingWarningSink& Sink, const std::string& Context, std::vector<std::string>& Problems)
{
    for (const auto& Message : Sink.Messages())
        Problems.push_back(Context + ": " + Message.Text);
    Sink.Clear();
}

void CheckEntry(TDuctFittingDB& DB, const TDuctFittingDBEntry& Entry, TRecordingWarningSink& Sink,
                std::vector<std::string>& Problems)
{
    const std::string& Key = Entry.Key;
    TDuctFitting* Fitting = DB.SelectFitting(Key, true);
    TakeWarnings(Sink, Key, Problems);
    if (!Fitting) {
        Problems.push_back(Key + ": does not load");
        return;
    }
    if (Fitting->Code != Key)
        Problems.push_back(Key + ": loads with the stored code \"" + Fitting->Code + "\"");

    // The object must be of the class the entry names, not merely of one
    // whose record happens to read.
    const TFittingClass* Class = FindFittingClass(Entry.Source.ClassName);
    if (Class) {
        TValueWriter Writer;
        WriteFittingRecord(Writer, Entry.Source);
        TValueReader Reader(Writer.Bytes());
        Reader.ReadString();
        const auto Expected = Class->Create(Reader);
        const TDuctFitting& ExpectedFitting = *Expected;
        if (typeid(ExpectedFitting) != typeid(*Fitting))
            Problems.push_back(Key + ": loads as another class than " + Entry.Source.ClassName);
    }

    TFloatVec Mid;
    Fitting->GetMidAxisValues(Mid);
    if (Mid.size() != Fitting->AxisNames.size())
        Problems.push_back(Key + ": has " + std::to_string(Fitting->AxisNames.size()) + " axis names for " +
                           std::to_string(Mid.size()) + " table axes");
    const double C = MidAxisCoefficient(*Fitting);
    if (!std::isfinite(C) || RangeFlag)
        Problems.push_back(Key + ": gives no valid coefficient at the middle of its axes");
}

} // namespace

std::vector<std::string> CheckBuiltDatabase(const std::string& CommonDataDir,
                                            const std::vector<TDuctFittingDBEntry>& Entries)
{
    std::vector<std::string> Problems;
    TRecordingWarningSink Sink;
    TScopedWarningSink Installed(Sink);

    TDuctFittingDB DB(CommonDataDir);
    TakeWarnings(Sink, "index", Problems);
    if (DB.Codes().size() != Entries.size()) {
        Problems.push_back("the index holds " + std::to_string(DB.Codes().size()) + " keys for " +
                           std::to_string(Entries.size()) + " entries");
        return Problems;
    }
    for (std::size_t i = 0; i < Entries.size(); ++i)
        if (DB.Codes()[i] != Entries[i].Key)
            Problems.push_back("index entry " + std::to_string(i) + " is \"" + DB.Codes()[i] + "\", not \"" +
                               Entries[i].Key + "\"");

    for (const TDuctFittingDBEntry& Entry : Entries)
        CheckEntry(DB, Entry, Sink, Problems);

    std::set<std::string> BaseCodes;
    for (const TDuctFittingDBEntry& Entry : Entries)
        BaseCodes.insert(FittingBaseCode(Entry.Key));
    for (const std::string& Base : BaseCodes) {
        TDuctFitSummary Summary;
        DB.GetFittingInfo(Base, Summary);
        TakeWarnings(Sink, Base, Problems);
        if (Summary.Name.empty())
            Problems.push_back(Base + ": gives an empty summary");
    }
    return Problems;
}
