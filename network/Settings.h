#pragma once
// The design settings of the open network: what the sizing methods aim at,
// the static-regain parameters, standard size steps, duct roughness, the
// default terminal flows and C-values per terminal kind, and two switches.
// They travel inside the document (a value-stream block) and the XML export
// (the "settings" element); the settings dialog keeps the user's own copy in
// the settings store.

#include <array>
#include <iosfwd>
#include <string>
#include <string_view>

namespace pugi {
class xml_node;
}
class TValueReader;
class TValueWriter;
class TSettingsStore;

class TSettings {
public:
    // Terminal kinds indexing the per-kind defaults: outlets 0 "Diffuser",
    // 1 "Grille", 2 "Plain Outlet"; inlets 0 "Grille", 1 "Canopy", 2 "Plain Inlet".
    static constexpr int KindCount = 3;
    // Header of the block the writer produces.
    static constexpr std::string_view BlockHeader = "VentrixSettings_v1.05";
    // Section of the store holding the user's defaults.
    static constexpr std::string_view StoreSection = "Settings";

    // Pressure rate of equal-friction sizing (Pa/m).
    double designpressrate;
    // Share of the velocity-pressure change taken as static regain.
    double statregainfactor;
    // Static regain starts at the fan by equal friction...
    bool startequalfric;
    // ...or with the start velocity.
    bool startspecvel;
    double statregainstartpressrate; // Pa/m, the start branches
    double statregainstartvel;       // m/s
    double statregainminvelduct;     // m/s, lowest velocity static regain gives a duct
    double statregainminveloutlet;   // m/s, lowest velocity of a branch ending at an Outlet
    // Velocity sizing resets every design velocity first.
    bool resetvels;
    // The velocity reset uses the two user velocities.
    bool useuservel;
    double uservelmain;   // m/s, main ducts
    double userveloutlet; // m/s, terminal branches
    // Static regain may assign balancing dampers.
    bool usedampers;
    std::array<double, KindCount> defoutletq; // m³/s, per outlet kind
    std::array<double, KindCount> definletq;  // m³/s, per inlet kind
    std::array<double, KindCount> defoutletc; // per outlet kind
    std::array<double, KindCount> definletc;  // per inlet kind
    double ductrectstep;  // m, standard step of rectangular sides
    double ductroundstep; // m, standard step of circular diameters
    double roughness;     // m, absolute duct roughness
    // Sizing recomputes the fittings' flow and velocity ratios in its first passes.
    bool autocalcratios;

    TSettings() { SetDefaults(); }

    // The factory values.
    void SetDefaults();

    // The "VentrixSettings_v1.05" block. Reading accepts every older version;
    // a damaged block raises EStreamError and leaves the settings unchanged.
    // Every reader below replaces a value that is not finite, negative, or
    // zero where it divides (pressure rates, velocities) by its factory value.
    void WriteToWriter(TValueWriter& Writer) const;
    void ReadFromReader(TValueReader& Reader);

    // The "settings" element: one text line per field, each line prefixed
    // with Indent (the fields one blank deeper) and ended by CR LF.
    void WriteXml(std::ostream& File, std::string_view Indent) const;
    // Reads the "settings" child of Parent (the XML head); a missing element
    // or field keeps the current value. An unreadable number raises
    // EConvertError and leaves the settings unchanged.
    void ReadXml(const pugi::xml_node& Parent);

    // The user's own defaults, section "Settings" of the store, as the
    // settings dialog keeps them. A value never saved keeps the current one.
    void LoadDefaults(const TSettingsStore& Store);
    void SaveDefaults(TSettingsStore& Store) const;

    // Puts Fallback's value in place of every value the readers refuse (not
    // finite, negative, or zero where it divides), so that what an editor
    // applies reads back unchanged. False when a value was refused.
    bool ReplaceRefusedValues(const TSettings& Fallback);

    bool operator==(const TSettings&) const = default;
};

// The one design-settings object of the program, read by every sizing and
// balancing computation; created with the factory values on first use.
TSettings& DesignSettings();
