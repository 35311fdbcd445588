#pragma once
// The request frames of the four exchanges, byte for byte, shared by the
// frame tests and by the tests that watch the simulator receive them.

#include <cstdint>
#include <vector>

#include "link/Frames.h"

namespace linktest {

enum class Exchange { DeviceType, State, Speed, Config };

struct RequestCase {
    const char* Name;
    Exchange Kind;
    uint16_t Address;
    uint8_t First;    // fixed byte, or the sub-command of a configuration write
    uint8_t Second;   // key byte, speed class code or configuration value
    std::vector<uint8_t> Bytes;
};

inline const std::vector<RequestCase>& RequestCases()
{
    using namespace zirv;
    static const std::vector<RequestCase> cases = {
        {"TypeAddress1", Exchange::DeviceType, 1, 0, 0, {0x01, 0x05, 0xFB}},
        {"TypeAddress0", Exchange::DeviceType, 0, 0, 0, {0x00, 0x05, 0x3F}},
        {"PlainQuery", Exchange::State, 1, StateQueryFixedByte, KeyNone,
         {0x01, 0x02, 0x23, 0x00, 0x00, 0x00, 0x00, 0xE5}},
        {"ModeKey", Exchange::State, 1, StateQueryFixedByte, KeyMode,
         {0x01, 0x02, 0x23, 0x02, 0x00, 0x00, 0x00, 0xE2}},
        {"SpeedClass4", Exchange::Speed, 1, StateQueryFixedByte, 4,
         {0x01, 0x02, 0x23, 0x00, 0x04, 0x00, 0x00, 0x7B}},
        {"LineSpeedBroadcast", Exchange::Config, BroadcastAddress, ConfigLineSpeed, 4,
         {0xFF, 0x00, 0x01, 0x04, 0x00, 0x00, 0x00, 0xC5}},
        {"NewAddress5", Exchange::Config, 1, ConfigAddress, 5,
         {0x01, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0xBC}},
    };
    return cases;
}

}  // namespace linktest
