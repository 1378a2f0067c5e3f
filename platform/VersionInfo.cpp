#include "platform/VersionInfo.h"

#include "foundation/NumberFormat.h"
#include "platform/BuildInfo.h"
#include "platform/QtText.h"
#include "platform/SystemInfo.h"

#include <QFileInfo>

namespace {

bool IsRunningProgram(const std::string& FileName)
{
    if (FileName.empty())
        return true;
    const QString Given = QFileInfo(ToQ(FileName)).canonicalFilePath();
    const QString Own = QFileInfo(ToQ(RunningProgramPath())).canonicalFilePath();
    return !Given.isEmpty() && Given == Own;
}

} // namespace

TVerInfoRes::TVerInfoRes(const std::string& FileName)
{
    if (!IsRunningProgram(FileName))
        throw ENoVerInfoError("No Version Info Available.");
#ifndef NDEBUG
    FFlags.push_back("Debug");
#endif
}

std::string TVerInfoRes::FileVersionText() const
{
    return IntToStr(VENTRIX_VERSION_MAJOR) + "." + IntToStr(VENTRIX_VERSION_MINOR) + "." +
           IntToStr(VENTRIX_VERSION_PATCH) + "." + IntToStr(VENTRIX_VERSION_TWEAK);
}

std::string TVerInfoRes::GetVerValue(TVerInfoKey Key) const
{
    switch (Key) {
    case viCompanyName:
        return VENTRIX_COMPANY_NAME;
    case viFileDescription:
        return VENTRIX_FILE_DESCRIPTION;
    case viFileVersion:
        return FileVersionText();
    case viInternalName:
    case viOriginalFilename:
    case viProductName:
        return VENTRIX_PRODUCT_NAME;
    case viLegalCopyright:
        return std::string("Copyright \u00A9 ") + VENTRIX_COMPANY_NAME;
    case viProductVersion:
        return VENTRIX_PRODUCT_VERSION;
    case viLegalTrademarks:
    case viComments:
        break;
    }
    return {};
}

std::string GetFileVersionText(const std::string& FileName)
{
    return TVerInfoRes(FileName).FileVersionText();
}

std::string GetFileDescriptionText(const std::string& FileName)
{
    return TVerInfoRes(FileName).GetVerValue(viFileDescription);
}

std::string GetProductNameAndVersion(const std::string& FileName)
{
    const TVerInfoRes Info(FileName);
    return Info.GetVerValue(viProductName) + " " + Info.FileVersionText();
}
