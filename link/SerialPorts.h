#pragma once
// The computer's serial ports: their names as the registry records them, and
// the device path the port object opens for a port number.

#include <cstdint>

#include "link/Port.h"

#include "vcl/system.h"

namespace vcl {
class TStrings;
}

// Clears the list and fills it with the data of every value under
// HKLM\Hardware\DeviceMap\SerialComm (port names such as "COM3"), in the
// order the registry returns them. A missing key gives an empty list; a value
// that is not a string raises the class library's ERegistryException.
void EnumSerialPorts(vcl::TStrings& list);

namespace zirv {

// EnumSerialPorts over any key; tests give it keys of their own, since the
// system's key is shared with every other process.
void ReadSerialPortNames(HKEY root, const vcl::String& key, vcl::TStrings& list);

}  // namespace zirv

// Points settings.DevicePath at the constant "\\.\COMn" for n 1 to 100 and at
// "\\.\COM5" for any other number; the other six words stay as they were.
void ComPortDevicePath(int32_t portNumber, PortSettings& settings);
