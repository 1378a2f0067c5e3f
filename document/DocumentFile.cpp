#include "document/DocumentFile.h"

#include "document/FittingInputCheck.h"
#include "fittings/DuctFittingDB.h"
#include "foundation/AtomicSave.h"
#include "foundation/ValueStream.h"
#include "solver/StoredResults.h"

#include <exception>
#include <filesystem>
#include <system_error>
#include <utility>

namespace {

TDocumentRead LoadFailure(const std::string& Name, std::string Reason)
{
    return FailedRead("Error loading " + Name, std::move(Reason));
}

void WriteDocument(TValueWriter& Writer, const TDuctGraph& Network, const TDocumentProperties& Properties,
                   const TSettings& Settings)
{
    Writer.WriteString(GraphDataVersionHeader(gdvNewest));
    Properties.WriteToWriter(Writer);
    Network.WriteData(Writer);
    Settings.WriteToWriter(Writer);
}

TDocumentRead ReadDocument(TValueReader& Reader, const std::string& Name, const TDocumentDefaults& Defaults)
{
    TDocumentContents Read;
    try {
        Read.Version = GraphDataVersionFromHeader(Reader.ReadString());
        if (Read.Version == gdv100)
            Read.Properties = Defaults.Properties;
        else
            Read.Properties.ReadFromReader(Reader);
        Read.Settings = std::make_unique<TSettings>(Defaults.Settings);
        // The network computes with the document's own settings; they follow
        // it in the file, so its records are read first and the computing
        // steps wait until the settings are in.
        Read.Network = std::make_unique<TDuctGraph>(false, Read.Settings.get());
        Read.Network->ReadRecords(Reader, Read.Version);
        if (Read.Version >= gdv202)
            Read.Settings->ReadFromReader(Reader);
        Read.Network->CompleteRead(Read.Version);
        MatchFittingInputsToDatabase(*Read.Network, DuctFittingDB());
        ComputeStoredResults(*Read.Network, true);
    } catch (const std::exception& Error) {
        return LoadFailure(Name, Error.what());
    }
    return SuccessfulRead(std::move(Read));
}

} // namespace

std::string NetworkFileBytes(const TDuctGraph& Network, const TDocumentProperties& Properties,
                             const TSettings& Settings)
{
    TValueWriter Writer;
    WriteDocument(Writer, Network, Properties, Settings);
    return Writer.Bytes();
}

TDocumentOutcome WriteNetworkFile(const std::string& FileName, const TDuctGraph& Network,
                                  const TDocumentProperties& Properties, const TSettings& Settings)
{
    TDocumentOutcome Result;
    try {
        TValueWriter Writer;
        WriteDocument(Writer, Network, Properties, Settings);
        SaveFileAtomically(FileName, Writer.Bytes());
        Result.Ok = true;
    } catch (const std::exception& Error) {
        Result.Reason = Error.what();
        Result.Messages.push_back("Error writing file " + FileName + ". " + Result.Reason);
    }
    return Result;
}

TDocumentRead ReadNetworkFile(const std::string& FileName, const TDocumentDefaults& Defaults)
{
    std::error_code Code;
    if (!std::filesystem::is_regular_file(FileName, Code)) {
        TDocumentRead Result = LoadFailure(FileName, "File not found");
        Result.Messages.insert(Result.Messages.begin(), "File not found: " + FileName);
        return Result;
    }
    try {
        TValueReader Reader = TValueReader::FromFile(FileName);
        return ReadDocument(Reader, FileName, Defaults);
    } catch (const std::exception& Error) {
        return LoadFailure(FileName, Error.what());
    }
}

TDocumentRead ReadNetworkBytes(std::string Bytes, const std::string& Name,
                               const TDocumentDefaults& Defaults)
{
    TValueReader Reader(std::move(Bytes));
    return ReadDocument(Reader, Name, Defaults);
}
