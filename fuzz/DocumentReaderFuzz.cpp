// Any bytes given to the document reader: it fails with a message or reads
// a document, never crashes, hangs or allocates without bound. A document it
// read must save and read back, and its XML export (when it has a main fan
// to name) must import.

#include "FuzzQuiet.h"

#include "document/DocumentFile.h"
#include "document/NetworkXmlExport.h"
#include "document/NetworkXmlImport.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    InstallQuietSink();
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
    return 0;
}
