#include "tools/host/Report.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <ostream>
#include <sstream>

namespace {

constexpr int kLevelDecimals = 4;
constexpr int kDbDecimals = 2;
constexpr int kNormalizedDecimals = 6;

std::string categoryName(intptr category) {
    switch (category) {
        case kPlugCategUnknown: return "unknown";
        case kPlugCategEffect: return "effect";
        case kPlugCategSynth: return "synth";
        case kPlugCategSpacializer: return "spatializer";
        default: return "other";
    }
}

std::string fixed(double value, int decimals) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(decimals) << value;
    return text.str();
}

std::string hex(std::uint32_t value) {
    std::ostringstream text;
    text << "0x" << std::uppercase << std::hex << std::setw(8) << std::setfill('0') << value;
    return text.str();
}

std::string level(double rms) {
    return fixed(rms, kLevelDecimals) + " (" + formatDb(amplitudeToDb(rms)) + " dBFS)";
}

}  // namespace

std::string formatUniqueId(int32 uniqueId) {
    const auto bits = static_cast<std::uint32_t>(uniqueId);
    std::string characters;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const auto c = static_cast<unsigned char>((bits >> shift) & 0xFF);
        characters += std::isprint(c) ? static_cast<char>(c) : '.';
    }
    return "'" + characters + "' (" + hex(bits) + ")";
}

std::string formatDb(double db) {
    if (std::isnan(db)) return "n/a";
    if (std::isinf(db)) return db < 0 ? "-inf" : "+inf";
    return fixed(db, kDbDecimals);
}

std::string describeParameter(const ParameterInfo& parameter) {
    std::string text = parameter.name + " = " + parameter.display;
    if (!parameter.label.empty()) text += " " + parameter.label;
    return text + " (normalized " + fixed(parameter.normalized, kNormalizedDecimals) + ")";
}

void printIdentity(std::ostream& out, const EffectIdentity& identity) {
    out << "Effect:         " << identity.effectName << '\n'
        << "Vendor:         " << identity.vendor << '\n'
        << "Product:        " << identity.product << '\n'
        << "Vendor version: " << identity.vendorVersion << '\n'
        << "Unique ID:      " << formatUniqueId(identity.uniqueId) << '\n'
        << "Category:       " << identity.category << " (" << categoryName(identity.category)
        << ")\n"
        << "VST version:    " << identity.vstVersion << '\n'
        << "Inputs/outputs: " << identity.numInputs << " in, " << identity.numOutputs << " out\n"
        << "Flags:          " << hex(static_cast<std::uint32_t>(identity.flags)) << '\n'
        << "Initial delay:  " << identity.initialDelay << " samples\n";
}

void printParameters(std::ostream& out, const std::vector<ParameterInfo>& parameters) {
    out << "Parameters (" << parameters.size() << "):\n";
    for (const ParameterInfo& parameter : parameters) {
        out << "  [" << parameter.index << "] name \"" << parameter.name << "\"  display \""
            << parameter.display << "\"  label \"" << parameter.label << "\"  normalized "
            << fixed(parameter.normalized, kNormalizedDecimals) << '\n';
    }
}

void printPrograms(std::ostream& out, const std::vector<std::string>& names, int32 current) {
    out << "Programs (" << names.size() << "):\n";
    for (std::size_t index = 0; index < names.size(); ++index) {
        const bool isCurrent = static_cast<int32>(index) == current;
        out << (isCurrent ? "  * " : "    ") << std::setw(2) << index << ' ' << names[index]
            << (isCurrent ? "  (current)" : "") << '\n';
    }
}

void printLevels(std::ostream& out, const std::string& label, const StereoStats& stats) {
    out << label << " RMS  L " << level(stats.rmsLeft) << "  R " << level(stats.rmsRight) << '\n'
        << label << " M/S  mid " << level(stats.rmsMid) << "  side " << level(stats.rmsSide)
        << "  side/mid " << formatDb(sideToMidDb(stats)) << " dB\n"
        << label << " peak " << fixed(stats.peak, kLevelDecimals) << " ("
        << formatDb(amplitudeToDb(stats.peak)) << " dBFS)\n";
    if (stats.nonFiniteSamples > 0) {
        out << label << " WARNING: " << stats.nonFiniteSamples << " samples are NaN or infinite\n";
    }
}
