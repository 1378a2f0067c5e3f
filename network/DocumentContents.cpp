#include "network/DocumentContents.h"

#include <utility>

void AdoptDocument(TDocumentContents&& Read, std::unique_ptr<TDuctGraph>& Document,
                   TDocumentProperties& Properties, TSettings& Settings) noexcept
{
    std::swap(Properties, Read.Properties);
    Settings = *Read.Settings;
    Document = std::move(Read.Network);
    Document->UseSettings(&Settings);
}
