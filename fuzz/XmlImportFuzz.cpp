// Any text given to the XML importer: it fails with a message or builds a
// network, never crashes, hangs or allocates without bound. A network it
// built exports again, and that export imports.

#include "FuzzQuiet.h"

#include "document/NetworkXmlExport.h"
#include "document/NetworkXmlImport.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    InstallQuietSink();
    const TDocumentRead Read =
        ImportNetworkXmlText(std::string_view(reinterpret_cast<const char*>(Data), Size), "fuzz.xml", {});
    if (!Read.Ok || !Read.Contents.Network->MainFan)
        return 0;
    const TDocumentContents& C = Read.Contents;
    std::ostringstream Text;
    WriteNetworkXml(Text, *C.Network, C.Properties, *C.Settings, "fuzz.vtx");
    if (!ImportNetworkXmlText(Text.str(), "again.xml", {}).Ok)
        std::abort(); // the program refused its own export
    return 0;
}
