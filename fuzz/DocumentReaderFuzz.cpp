// Any bytes given to the document reader: it fails with a message or reads
// a document, never crashes, hangs or allocates without bound. A document it
// read must save and read back, and its XML export (when it has a main fan
// to name) must import. The built fitting database is installed, as the
// program has it, so that opening checks the fittings' stored inputs and
// looks up their coefficients; then every solve command runs on what was
// opened, as a user would run them.

#include "FuzzQuiet.h"

#include "document/DocumentFile.h"
#include "document/NetworkXmlExport.h"
#include "document/NetworkXmlImport.h"
#include "fittings/DuctFittingDB.h"
#include "sizing/SolveCommands.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

// In the order of the Solve menu; the resets last, so that the sizing
// commands start from the document's own values.
const TSolveCommand Commands[] = {scSumFlows,      scEqualFriction,    scVelocity,       scStaticRegain,
                                  scStandardSizes, scBalanceFlows,     scResetDesignFlows, scResetVelocities};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    InstallQuietSink();
    static const bool DatabaseInstalled = (CreateDuctFittingDB(VENTRIX_COMMON_DATA_DIR), true);
    (void)DatabaseInstalled;
    const TDocumentDefaults Defaults;
    const TDocumentRead Read = ReadNetworkBytes(std::string(reinterpret_cast<const char*>(Data), Size),
                                                "fuzz.vtx", Defaults);
    if (!Read.Ok)
        return 0;
    const TDocumentContents& C = Read.Contents;
    const TDocumentRead Again =
        ReadNetworkBytes(NetworkFileBytes(*C.Network, C.Properties, *C.Settings), "again.vtx", Defaults);
    if (!Again.Ok)
        std::abort(); // the writer produced a file its reader refuses
    if (C.Network->MainFan) {
        std::ostringstream Xml;
        WriteNetworkXml(Xml, *C.Network, C.Properties, *C.Settings, "fuzz.vtx");
        if (!ImportNetworkXmlText(Xml.str(), "fuzz.xml", {}).Ok)
            std::abort(); // an export the importer refuses
    }
    for (const TSolveCommand Command : Commands)
        RunSolveCommand(*C.Network, Command);
    return 0;
}
