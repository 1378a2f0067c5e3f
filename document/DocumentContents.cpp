#include "document/DocumentContents.h"

#include <utility>

void AdoptDocument(TDocumentContents&& Read, std::unique_ptr<TDuctGraph>& Document,
                   TDocumentProperties& Properties, TSettings& Settings) noexcept
{
    std::swap(Properties, Read.Properties);
    Settings = *Read.Settings;
    Document = std::move(Read.Network);
    Document->UseSettings(&Settings);
}

TDocumentRead FailedRead(std::string Message, std::string Reason)
{
    TDocumentRead Result;
    Result.Messages.push_back(std::move(Message));
    Result.Reason = std::move(Reason);
    return Result;
}

TDocumentRead SuccessfulRead(TDocumentContents&& Contents)
{
    TDocumentRead Result;
    Result.Ok = true;
    Result.Contents = std::move(Contents);
    return Result;
}
