// linecheck COMn [address]: lists the serial ports the registry records, opens
// COMn as the search does (1200 baud, no parity, one stop bit, 200 ms) and
// asks the detector at the address (default 0) for its device type.
// Exit code 0 when a detector answered, 1 otherwise, 2 for wrong arguments.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "link/Dev.h"
#include "link/Port.h"
#include "link/SerialPorts.h"
#include "vcl/classes.h"

namespace {

// "COM5" or "5"; 0 for anything else.
int32_t PortNumberOf(const char* text)
{
    if (_strnicmp(text, "COM", 3) == 0)
        text += 3;
    char* end = nullptr;
    const long number = std::strtol(text, &end, 10);
    return end != text && *end == '\0' ? static_cast<int32_t>(number) : 0;
}

void ListPorts()
{
    auto ports = std::make_unique<vcl::TStringList>();
    try {
        EnumSerialPorts(*ports);
    } catch (const vcl::Exception& e) {
        std::printf("Serial ports: the registry gave no list (%s)\n", e.what());
        return;
    }
    std::printf("Serial ports:");
    for (int i = 0; i < ports->Count(); ++i)
        std::printf(" %s", vcl::ToAnsi(ports->Strings(i)).c_str());
    std::printf(ports->Count() ? "\n" : " none\n");
}

void PrintBytes(const char* label, const uint8_t* bytes, size_t count)
{
    std::printf("%s", label);
    for (size_t i = 0; i < count; ++i)
        std::printf(" %02X", bytes[i]);
    std::printf("\n");
}

const char* ResultText(int32_t result)
{
    switch (result) {
    case zirv::ExchangeOk: return "answered";
    case zirv::ExchangePortFailed: return "no whole reply (port failure or timeout)";
    case zirv::ExchangeBadCrc: return "reply with a bad CRC";
    case zirv::ExchangeWrongReply: return "reply with another reply code";
    }
    return "unknown result";
}

}  // namespace

int main(int argc, char** argv)
{
    const int32_t number = argc >= 2 ? PortNumberOf(argv[1]) : 0;
    if (argc < 2 || argc > 3 || number <= 0) {
        std::fprintf(stderr, "usage: linecheck COMn [address]\n");
        return 2;
    }
    const uint16_t address = argc == 3 ? static_cast<uint16_t>(std::strtoul(argv[2], nullptr, 0)) : 0;

    ListPorts();

    PortSettings settings = {nullptr, number, 0, NOPARITY, ONESTOPBIT, 200, 0};
    ComPortDevicePath(number, settings);
    ZIRVWin32BasePort port;
    port.Configure(settings);
    if (port.Open() != 0) {
        std::printf("%s: cannot open\n", settings.DevicePath);
        return 1;
    }
    std::printf("%s: open at 1200 baud\n", settings.DevicePath);

    const zirv::RequestFrame request = zirv::BuildDeviceTypeRequest(address);
    PrintBytes("Device-type request:", request.Bytes.data(), request.Length);
    ZIRVZEBRA1 detector(address, port);
    zirv::ReplyData reply{};
    const int32_t result = detector.ReadDeviceType(address, reply);
    std::printf("Result %d: %s\n", result, ResultText(result));
    if (result != zirv::ExchangeOk)
        return 1;
    PrintBytes("Reply bytes 2 to 7:", reply.data(), reply.size());
    const uint8_t type = zirv::DeviceTypeOf(reply);
    if (const zirv::ModelEntry* model = zirv::FindModel(type))
        std::printf("Device type %u: model-name entry %d\n", type, model->NameIndex);
    else
        std::printf("Device type %u: not a known detector\n", type);
    return 0;
}
