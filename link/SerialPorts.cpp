#include "link/SerialPorts.h"

#include <array>
#include <memory>
#include <string_view>

#include "vcl/classes.h"
#include "vcl/registry.h"

namespace {

constexpr uint32_t LastPortNumber = 100;
constexpr int32_t FallbackPortNumber = 5;

// "\\.\COM1" to "\\.\COM100", built once at compile time; entry 0 is unused.
using DevicePath = std::array<char, sizeof("\\\\.\\COM100")>;

constexpr std::array<DevicePath, LastPortNumber + 1> MakeDevicePaths()
{
    std::array<DevicePath, LastPortNumber + 1> paths{};
    for (uint32_t n = 1; n <= LastPortNumber; ++n) {
        DevicePath& path = paths[n];
        size_t length = 0;
        for (char c : std::string_view("\\\\.\\COM"))
            path[length++] = c;
        char digits[3];
        size_t count = 0;
        for (uint32_t rest = n; rest != 0; rest /= 10)
            digits[count++] = static_cast<char>('0' + rest % 10);
        while (count != 0)
            path[length++] = digits[--count];
    }
    return paths;
}

constexpr std::array<DevicePath, LastPortNumber + 1> DevicePaths = MakeDevicePaths();

}  // namespace

void EnumSerialPorts(vcl::TStrings& list)
{
    zirv::ReadSerialPortNames(HKEY_LOCAL_MACHINE, L"\\Hardware\\DeviceMap\\SerialComm", list);
}

void zirv::ReadSerialPortNames(HKEY root, const vcl::String& key, vcl::TStrings& list)
{
    auto registry = std::make_unique<vcl::TRegistry>();
    registry->SetRootKey(root);
    // A key that does not open leaves no value names: the list comes out empty.
    registry->OpenKeyReadOnly(key);
    auto names = std::make_unique<vcl::TStringList>();
    registry->GetValueNames(names.get());
    list.Clear();
    for (int i = 0; i < names->Count(); ++i)
        list.Add(registry->ReadString(names->Strings(i)));
}

void ComPortDevicePath(int32_t portNumber, PortSettings& settings)
{
    const uint32_t number = static_cast<uint32_t>(portNumber);
    const bool known = number >= 1 && number <= LastPortNumber;
    settings.DevicePath = DevicePaths[known ? number : FallbackPortNumber].data();
}
