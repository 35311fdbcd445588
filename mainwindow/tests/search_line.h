#pragma once
// A simulated line as the search meets it: a detector at every address, so that no address waits
// out the read timeout.
#include "mainwindow/Monitorrules.h"

#include <algorithm>
#include <string>
#include <vector>

// A type code that names no model.
constexpr int UnknownType = 20;

// Detectors at every address of a line: known ones as given ("ADDR:TYPE[:key=value...]"), the
// others of an unknown type.
inline std::vector<std::string> FullLine(const std::vector<std::string>& known)
{
    std::vector<std::string> detectors = known;
    for (int address = 0; address < monitor::AddressCount; ++address) {
        const std::string prefix = std::to_string(address) + ":";
        const bool taken = std::any_of(known.begin(), known.end(),
                                       [&](const std::string& detector) { return detector.rfind(prefix, 0) == 0; });
        if (!taken)
            detectors.push_back(prefix + std::to_string(UnknownType));
    }
    return detectors;
}
