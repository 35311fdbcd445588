#include "detsim_client.h"

#include <windows.h>

#include <stdexcept>

#include <gtest/gtest.h>

namespace testsupport {

namespace {

DetsimTermios TermiosOf(const JsonValue& v)
{
    return {v["baud"].Int(), v["parity"].Text, v["stopbits"].Int(), v["bytesize"].Int()};
}

}  // namespace

DetsimClient::DetsimClient() : Channel("detsim") {}

JsonValue DetsimClient::Call(const JsonRequest& request)
{
    return Channel.Call(request);
}

int DetsimClient::CreateLine(const std::vector<std::string>& detectors)
{
    return Call(JsonRequest("create").Add("detectors", detectors))["com"].Int();
}

int DetsimClient::MapDevice(const std::string& unixPath)
{
    return Call(JsonRequest("create").Add("device", unixPath))["com"].Int();
}

void DetsimClient::DeleteLine(int com)
{
    Call(JsonRequest("delete").Add("com", com));
}

std::vector<DetsimFrame> DetsimClient::Frames(int com, bool clear)
{
    const JsonValue answer = Call(JsonRequest("frames").Add("com", com).Add("clear", clear));
    std::vector<DetsimFrame> frames;
    for (const JsonValue& f : answer["frames"].Items)
        frames.push_back({f["t"].Number, FromHex(f["hex"].Text), f["complete"].Bool, TermiosOf(f)});
    return frames;
}

DetsimTermios DetsimClient::Termios(int com)
{
    return TermiosOf(Call(JsonRequest("termios").Add("com", com)));
}

void DetsimClient::Send(int com, const std::vector<uint8_t>& bytes)
{
    Call(JsonRequest("send").Add("com", com).Add("hex", ToHex(bytes)));
}

void DetsimClient::Script(int com, const DetsimScript& script)
{
    JsonRequest request("script");
    request.Add("com", com).Add("delay_ms", script.DelayMs);
    if (script.HasBytes)
        request.Add("hex", ToHex(script.Bytes));
    if (script.Limit >= 0)
        request.Add("limit", script.Limit);
    Call(request);
}

std::vector<JsonValue> DetsimClient::Detectors(int com)
{
    return Call(JsonRequest("model").Add("com", com).Add("action", "state"))["detectors"].Items;
}

namespace {

JsonRequest SetDetectorRequest(int com, int index)
{
    JsonRequest request("model");
    request.Add("com", com).Add("action", "set").Add("detector", index);
    return request;
}

}  // namespace

JsonValue DetsimClient::SetDetector(int com, int index, const std::string& key, int value)
{
    return Call(SetDetectorRequest(com, index).Add(key, value))["detector"];
}

JsonValue DetsimClient::SetDetector(int com, int index, const std::string& key, const std::string& value)
{
    return Call(SetDetectorRequest(com, index).Add(key, value))["detector"];
}

namespace {

const wchar_t SerialCommPath[] = L"Hardware\\DeviceMap\\SerialComm";
constexpr DWORD LockWaitMs = 60000;

void Check(LONG status, const char* what)
{
    if (status != ERROR_SUCCESS)
        throw std::runtime_error(std::string("SerialComm key: ") + what + " failed with " + std::to_string(status));
}

// An open key that closes itself.
struct Key {
    HKEY Handle = nullptr;
    ~Key()
    {
        if (Handle)
            RegCloseKey(Handle);
    }
};

// HKLM\Hardware is volatile, so every key below it must be too.
void OpenOrCreate(Key& key)
{
    Check(RegCreateKeyExW(HKEY_LOCAL_MACHINE, SerialCommPath, 0, nullptr, REG_OPTION_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, &key.Handle, nullptr), "create");
}

template <class Visit>
void EnumerateValues(HKEY key, Visit visit)
{
    DWORD count = 0, maxName = 0, maxData = 0;
    Check(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &maxName,
                           &maxData, nullptr, nullptr), "query");
    for (DWORD i = 0; i < count; ++i) {
        std::wstring name(maxName + 1, L'\0');
        std::vector<uint8_t> data(maxData + 2, 0);
        DWORD nameLength = maxName + 1, dataLength = maxData, type = 0;
        Check(RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &dataLength), "enumerate");
        name.resize(nameLength);
        data.resize(dataLength);
        visit(name, type, data);
    }
}

}  // namespace

SerialCommKey::SerialCommKey() : Lock(CreateMutexW(nullptr, FALSE, L"ZirvTestsSerialCommKey"))
{
    // An abandoned lock (a test process died holding it) is ours as well.
    if (!Lock || WaitForSingleObject(Lock, LockWaitMs) == WAIT_TIMEOUT) {
        if (Lock)
            CloseHandle(Lock);
        throw std::runtime_error("SerialComm key: lock not taken");
    }
    Key key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, SerialCommPath, 0, KEY_READ, &key.Handle) == ERROR_SUCCESS)
        EnumerateValues(key.Handle, [&](const std::wstring& name, DWORD type, const std::vector<uint8_t>& data) {
            Saved.push_back({name, type, data});
        });
}

SerialCommKey::~SerialCommKey()
{
    try {
        Clear();
        Key key;
        OpenOrCreate(key);
        for (const Value& v : Saved)
            RegSetValueExW(key.Handle, v.Name.c_str(), 0, v.Type, v.Data.data(), static_cast<DWORD>(v.Data.size()));
    } catch (const std::exception&) {
        ADD_FAILURE() << "the serial ports' registry key could not be restored";
    }
    ReleaseMutex(Lock);
    CloseHandle(Lock);
}

void SerialCommKey::Clear()
{
    Key key;
    OpenOrCreate(key);
    std::vector<std::wstring> names;
    EnumerateValues(key.Handle, [&](const std::wstring& name, DWORD, const std::vector<uint8_t>&) {
        names.push_back(name);
    });
    for (const std::wstring& name : names)
        Check(RegDeleteValueW(key.Handle, name.c_str()), "delete value");
}

void SerialCommKey::SetString(const std::wstring& name, const std::wstring& data)
{
    Key key;
    OpenOrCreate(key);
    Check(RegSetValueExW(key.Handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                         static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))), "set string");
}

void SerialCommKey::SetDword(const std::wstring& name, uint32_t data)
{
    Key key;
    OpenOrCreate(key);
    Check(RegSetValueExW(key.Handle, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data)),
          "set number");
}

std::vector<std::wstring> SerialCommKey::Strings() const
{
    Key key;
    std::vector<std::wstring> strings;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, SerialCommPath, 0, KEY_READ, &key.Handle) != ERROR_SUCCESS)
        return strings;
    EnumerateValues(key.Handle, [&](const std::wstring&, DWORD type, const std::vector<uint8_t>& data) {
        if (type != REG_SZ)
            return;
        std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
        strings.push_back(text.substr(0, text.find(L'\0')));
    });
    return strings;
}

std::string ComDevicePath(int com)
{
    return "\\\\.\\COM" + std::to_string(com);
}

std::string ToHex(const std::vector<uint8_t>& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (uint8_t b : bytes) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}

std::vector<uint8_t> FromHex(const std::string& hex)
{
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

}  // namespace testsupport
