#include "network/Settings.h"

#include "foundation/NumberFormat.h"
#include "foundation/SettingsStore.h"
#include "foundation/ValueStream.h"
#include "foundation/XmlHelpers.h"
#include "foundation/XmlText.h"

#include <cmath>
#include <limits>
#include <ostream>
#include <type_traits>
#include <vector>

namespace {

// What a float setting may hold; anything else is replaced by its factory value.
enum class TLimit { Any, NonNegative, Positive };

// How one setting is named and stored outside the program.
struct TFieldInfo {
    const char* XmlKey;
    const char* StoreKey;
    // First block version ("_v1.0N") that stores the field.
    int SinceVersion = 0;
    TLimit Limit = TLimit::Any;
    // Store key of the other radio button of a switch pair (saved negated).
    const char* StoreKeyOff = nullptr;
    // The store keeps the value as the settings dialog shows it.
    double StoreScale = 1.0;
    const char* XmlFormat = "%0.3f";
};

constexpr TLimit NonNeg = TLimit::NonNegative;
constexpr TLimit Pos = TLimit::Positive;

// Every setting in the order of the stream block and of the XML element.
// Velocities and pressure rates are divisors of the sizing methods, so they
// must be positive; the rest may be zero but never negative.
template <class TSet, class TVisit>
void ForEachField(TSet& S, TVisit&& Visit)
{
    Visit(TFieldInfo{"designpressrate", "PressureRate", 0, Pos}, S.designpressrate);
    Visit(TFieldInfo{"statregainfactor", "StatRegFactor", 0, NonNeg}, S.statregainfactor);
    Visit(TFieldInfo{"startequalfric", "StatRegain - EqualFric", 0, TLimit::Any,
                     "StatRegain - Velocity"},
          S.startequalfric);
    Visit(TFieldInfo{"startspecvel", "StatRegVel - Specify", 0, TLimit::Any,
                     "StatRegVel - UseExist"},
          S.startspecvel);
    Visit(TFieldInfo{"statregainstartpressrate", "StatRegPressRate", 0, Pos},
          S.statregainstartpressrate);
    Visit(TFieldInfo{"statregainstartvel", "StatRegVel", 0, Pos}, S.statregainstartvel);
    Visit(TFieldInfo{"statregainminvelduct", "StatRegMinVelDuct", 2, NonNeg},
          S.statregainminvelduct);
    Visit(TFieldInfo{"statregainminveloutlet", "StatRegMinVelOutlet", 3, NonNeg},
          S.statregainminveloutlet);
    Visit(TFieldInfo{"resetvels", "ResetVelocities"}, S.resetvels);
    Visit(TFieldInfo{"useuservel", "UserVelocity", 0, TLimit::Any, "IdealVelocity"},
          S.useuservel);
    Visit(TFieldInfo{"uservelmain", "VelMain", 0, Pos}, S.uservelmain);
    Visit(TFieldInfo{"userveloutlet", "VelOutlet", 5, Pos}, S.userveloutlet);
    Visit(TFieldInfo{"usedampers", "UseDampers", 5}, S.usedampers);
    Visit(TFieldInfo{"ductrectstep", "DuctRectStep", 0, NonNeg}, S.ductrectstep);
    Visit(TFieldInfo{"ductroundstep", "DuctRoundStep", 4, NonNeg}, S.ductroundstep);
    // The dialog edits the roughness in millimetres and stores what it shows.
    Visit(TFieldInfo{"roughness", "Roughness", 0, NonNeg, nullptr, 1000.0, "%0.6f"},
          S.roughness);
    Visit(TFieldInfo{"defoutletqdiffuser", "DiffuserFlow", 0, NonNeg}, S.defoutletq[0]);
    Visit(TFieldInfo{"defoutletcdiffuser", "DiffuserC", 0, NonNeg}, S.defoutletc[0]);
    Visit(TFieldInfo{"defoutletqgrille", "OutGrilleFlow", 0, NonNeg}, S.defoutletq[1]);
    Visit(TFieldInfo{"defoutletcgrille", "OutGrilleC", 0, NonNeg}, S.defoutletc[1]);
    Visit(TFieldInfo{"defoutletqplain", "OutletFlow", 0, NonNeg}, S.defoutletq[2]);
    Visit(TFieldInfo{"defoutletcplain", "OutletC", 0, NonNeg}, S.defoutletc[2]);
    Visit(TFieldInfo{"definletqgrille", "InGrilleFlow", 0, NonNeg}, S.definletq[0]);
    Visit(TFieldInfo{"definletcgrille", "InGrilleC", 0, NonNeg}, S.definletc[0]);
    Visit(TFieldInfo{"definletqcanopy", "CanopyFlow", 0, NonNeg}, S.definletq[1]);
    Visit(TFieldInfo{"definletccanopy", "CanopyC", 0, NonNeg}, S.definletc[1]);
    Visit(TFieldInfo{"definletqplain", "InletFlow", 0, NonNeg}, S.definletq[2]);
    Visit(TFieldInfo{"definletcplain", "InletC", 0, NonNeg}, S.definletc[2]);
    Visit(TFieldInfo{"autocalcratios", "AutoCalcRatios", 1}, S.autocalcratios);
}

template <class T>
constexpr bool IsSwitch = std::is_same_v<std::remove_cvref_t<T>, bool>;

bool Acceptable(double Value, TLimit Limit)
{
    if (!std::isfinite(Value))
        return false;
    switch (Limit) {
    case TLimit::Positive:
        return Value > 0.0;
    case TLimit::NonNegative:
        return Value >= 0.0;
    case TLimit::Any:
        break;
    }
    return true;
}

// A damaged file or a hand-edited store must not hand the sizing methods a
// negative roughness or a zero velocity: such values fall back to the factory.
void ReplaceNonsense(TSettings& S)
{
    S.ReplaceRefusedValues(TSettings());
}

// The minor number N of a "VentrixSettings_v1.0N" header; any other header
// is read as the newest block.
int BlockVersion(const std::string& Header)
{
    static const char* const Older[] = {"VentrixSettings_v1.00", "VentrixSettings_v1.01",
                                        "VentrixSettings_v1.02", "VentrixSettings_v1.03",
                                        "VentrixSettings_v1.04"};
    for (int Version = 0; Version < 5; ++Version)
        if (Header == Older[Version])
            return Version;
    return 5;
}

} // namespace

void TSettings::SetDefaults()
{
    designpressrate = 1.0;
    statregainfactor = 1.0;
    startequalfric = true;
    startspecvel = false;
    statregainstartpressrate = 2.0;
    statregainstartvel = 10.0;
    statregainminvelduct = 2.5;
    statregainminveloutlet = 1.0;
    resetvels = true;
    useuservel = true;
    uservelmain = 5.0;
    userveloutlet = 3.0;
    usedampers = true;
    defoutletq = {0.3, 0.3, 0.3};
    definletq = {0.3, 1.0, 0.3};
    defoutletc = {5.0, 5.0, 1.0};
    definletc = {5.0, 3.0, 1.0};
    ductrectstep = 0.025;
    ductroundstep = 0.05;
    roughness = 0.00015;
    autocalcratios = true;
}

void TSettings::WriteToWriter(TValueWriter& Writer) const
{
    Writer.WriteString(std::string(BlockHeader));
    ForEachField(*this, [&](const TFieldInfo&, const auto& Value) {
        if constexpr (IsSwitch<decltype(Value)>)
            Writer.WriteBoolean(Value);
        else
            Writer.WriteFloat(Value);
    });
}

void TSettings::ReadFromReader(TValueReader& Reader)
{
    // Fields an older block lacks keep their factory values.
    TSettings Read;
    try {
        const int Version = BlockVersion(Reader.ReadString());
        ForEachField(Read, [&](const TFieldInfo& Field, auto& Value) {
            if (Version < Field.SinceVersion)
                return;
            if constexpr (IsSwitch<decltype(Value)>)
                Value = Reader.ReadBoolean();
            else
                Value = Reader.ReadFloat();
        });
        if (Version < 5) {
            Read.userveloutlet = Read.uservelmain;
            Read.usedampers = false;
        }
    } catch (const EStreamError& Error) {
        throw EStreamError(std::string("Damaged design settings block: ") + Error.what());
    }
    ReplaceNonsense(Read);
    *this = Read;
}

void TSettings::WriteXml(std::ostream& File, std::string_view Indent) const
{
    File << Indent << "<settings>\r\n";
    ForEachField(*this, [&](const TFieldInfo& Field, const auto& Value) {
        File << Indent << '<' << Field.XmlKey << '>';
        if constexpr (IsSwitch<decltype(Value)>)
            File << (Value ? '1' : '0');
        else
            File << XmlNumberText(Field.XmlFormat, Value);
        File << "</" << Field.XmlKey << ">\r\n";
    });
    File << Indent << "</settings>\r\n";
}

void TSettings::ReadXml(const pugi::xml_node& Parent)
{
    const pugi::xml_node Element = FindChildNode(Parent, "settings", false);
    if (!Element)
        return;
    TSettings Read = *this;
    ForEachField(Read, [&](const TFieldInfo& Field, auto& Value) {
        // Switches are written as numbers: any nonzero value is on.
        if constexpr (IsSwitch<decltype(Value)>)
            Value = GetChildNodeFloat(Element, Field.XmlKey, Value ? 1.0 : 0.0) != 0.0;
        else
            Value = GetChildNodeFloat(Element, Field.XmlKey, Value);
    });
    ReplaceNonsense(Read);
    *this = Read;
}

void TSettings::LoadDefaults(const TSettingsStore& Store)
{
    const std::string Section(StoreSection);
    TSettings Read = *this;
    ForEachField(Read, [&](const TFieldInfo& Field, auto& Value) {
        if constexpr (IsSwitch<decltype(Value)>) {
            // A switch pair is saved as both radio buttons; either one decides.
            if (Store.ValueExists(Section, Field.StoreKey))
                Value = Store.ReadBool(Section, Field.StoreKey, Value);
            else if (Field.StoreKeyOff && Store.ValueExists(Section, Field.StoreKeyOff))
                Value = !Store.ReadBool(Section, Field.StoreKeyOff, !Value);
        } else {
            const double Stored = Store.ReadFloat(Section, Field.StoreKey,
                                                  std::numeric_limits<double>::quiet_NaN());
            if (!std::isnan(Stored))
                Value = Stored / Field.StoreScale;
        }
    });
    ReplaceNonsense(Read);
    *this = Read;
}

void TSettings::SaveDefaults(TSettingsStore& Store) const
{
    const std::string Section(StoreSection);
    ForEachField(*this, [&](const TFieldInfo& Field, const auto& Value) {
        if constexpr (IsSwitch<decltype(Value)>) {
            Store.WriteBool(Section, Field.StoreKey, Value);
            if (Field.StoreKeyOff)
                Store.WriteBool(Section, Field.StoreKeyOff, !Value);
        } else {
            Store.WriteFloat(Section, Field.StoreKey, Value * Field.StoreScale);
        }
    });
}

bool TSettings::ReplaceRefusedValues(const TSettings& Fallback)
{
    std::vector<double> Kept;
    ForEachField(Fallback, [&](const TFieldInfo&, const auto& Value) {
        if constexpr (!IsSwitch<decltype(Value)>)
            Kept.push_back(Value);
    });
    bool AllAccepted = true;
    std::size_t Index = 0;
    ForEachField(*this, [&](const TFieldInfo& Field, auto& Value) {
        if constexpr (!IsSwitch<decltype(Value)>) {
            if (!Acceptable(Value, Field.Limit)) {
                Value = Kept[Index];
                AllAccepted = false;
            }
            ++Index;
        }
    });
    return AllAccepted;
}

TSettings& DesignSettings()
{
    static TSettings Instance;
    return Instance;
}
