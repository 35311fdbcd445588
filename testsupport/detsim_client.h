#pragma once
// Client of the detector simulator's control channel (tools/detsim/detsim.py), the ctest
// fixture "detsim".

#include <cstdint>
#include <string>
#include <vector>

#include "jsonline.h"

namespace testsupport {

// The line settings of the tty as the program last set them.
struct DetsimTermios {
    int Baud = 0;
    std::string Parity;   // none, odd, even, mark or space
    int StopBits = 0;
    int ByteSize = 0;
};

// One request frame the simulator read, cut by its address and command.
struct DetsimFrame {
    double Time = 0;      // seconds on the simulator's monotonic clock
    std::vector<uint8_t> Bytes;
    bool Complete = false;   // false: dropped after an idle gap before its length was reached
    DetsimTermios Line;      // the settings when the frame arrived
};

// The simulator's next reply: Bytes (or, when absent, the line model's answer),
// cut to its first Limit bytes, sent DelayMs after the frame.
struct DetsimScript {
    bool HasBytes = false;
    std::vector<uint8_t> Bytes;
    int Limit = -1;
    int DelayMs = 0;
};

// One connection to the simulator. The lines created through it are deleted
// when it closes, also when the test process dies.
class DetsimClient {
public:
    DetsimClient();
    DetsimClient(const DetsimClient&) = delete;
    DetsimClient& operator=(const DetsimClient&) = delete;

    // Sends one request; returns the answer, throws std::runtime_error when it is not ok.
    JsonValue Call(const JsonRequest& request);

    // A new line with the given detectors ("ADDR:TYPE[:key=value...]"); returns its COM number.
    int CreateLine(const std::vector<std::string>& detectors = {});
    // A COM number mapped to an existing Unix device instead of a simulated line.
    int MapDevice(const std::string& unixPath);
    void DeleteLine(int com);
    std::vector<DetsimFrame> Frames(int com, bool clear = false);
    DetsimTermios Termios(int com);
    void Send(int com, const std::vector<uint8_t>& bytes);
    void Script(int com, const DetsimScript& script);

    // The detectors of a simulated line, in line order (tools/detsim/detectors.py
    // lists their keys); a detector keeps its index when its address changes.
    std::vector<JsonValue> Detectors(int com);
    // Changes one key of the detector at `index`; returns its new state.
    JsonValue SetDetector(int com, int index, const std::string& key, int value);
    JsonValue SetDetector(int com, int index, const std::string& key, const std::string& value);

private:
    JsonLineChannel Channel;
};

// The registry key of the computer's serial ports, HKLM\Hardware\DeviceMap\SerialComm,
// which every test process shares. An object holds a lock shared with every
// other holder, in any process, and when it goes puts back the values the key had.
// Only values change, the key is never deleted: Wine 8's server can crash when a key
// is deleted while other processes work with simulated COM ports.
class SerialCommKey {
public:
    SerialCommKey();
    ~SerialCommKey();
    SerialCommKey(const SerialCommKey&) = delete;
    SerialCommKey& operator=(const SerialCommKey&) = delete;

    void Clear();   // the key exists and holds no value
    void SetString(const std::wstring& name, const std::wstring& data);
    void SetDword(const std::wstring& name, uint32_t data);
    // The string data of the values, in the order the registry enumerates them.
    std::vector<std::wstring> Strings() const;

private:
    struct Value {
        std::wstring Name;
        uint32_t Type;
        std::vector<uint8_t> Data;
    };
    void* Lock;
    std::vector<Value> Saved;
};

// "\\.\COMn", the device path a program opens for a COM number.
std::string ComDevicePath(int com);
std::string ToHex(const std::vector<uint8_t>& bytes);
std::vector<uint8_t> FromHex(const std::string& hex);

}  // namespace testsupport
