#include "foundation/Letterhead.h"

#include "foundation/AppRegistry.h"
#include "foundation/ProgramFolders.h"
#include "foundation/SettingsStore.h"

namespace {

TLetterhead TheLetterhead;

} // namespace

TLetterhead ReadLetterhead(const TSettingsStore& MakerSettings, const std::string& CommonFilesDir)
{
    const auto Read = [&MakerSettings](const char* Ident, const std::string& Default = {}) {
        return MakerSettings.ReadString(LetterheadSection, Ident, Default);
    };
    TLetterhead Details;
    Details.Company = Read("company");
    Details.Description = Read("description");
    Details.Logo = Read("logo", WithTrailingSlash(CommonFilesDir) + MakerName + "/ReportLogo.gif");
    Details.Addr1 = Read("addr1");
    Details.Addr2 = Read("addr2");
    Details.Code = Read("code");
    Details.Country = Read("country");
    Details.Email = Read("email");
    Details.Web = Read("web");
    Details.Tel = Read("tel");
    Details.Fax = Read("fax");
    Details.User = Read("user");
    return Details;
}

const TLetterhead& Letterhead()
{
    return TheLetterhead;
}

void SetLetterhead(const TLetterhead& Details)
{
    TheLetterhead = Details;
}
