// What talonhost prints about the effect and the audio.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "tools/host/EffectSession.h"
#include "tools/host/SignalStats.h"

// Four characters (unprintable ones as '.') and hex, e.g. "'Tl58' (0x546C3538)".
std::string formatUniqueId(int32 uniqueId);
// A level in dB with two decimals; "-inf" for silence.
std::string formatDb(double db);
// "StEx = 75 % (normalized 0.750000)".
std::string describeParameter(const ParameterInfo& parameter);

void printIdentity(std::ostream& out, const EffectIdentity& identity);
void printParameters(std::ostream& out, const std::vector<ParameterInfo>& parameters);
void printPrograms(std::ostream& out, const std::vector<std::string>& names, int32 current);
void printLevels(std::ostream& out, const std::string& label, const StereoStats& stats);
