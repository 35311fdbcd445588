#include "detsim_client.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include <gtest/gtest.h>

#include "testpaths.h"

namespace testsupport {

namespace {

constexpr DWORD AnswerTimeoutMs = 10000;   // a stuck simulator fails the test instead of hanging it

// A recursive-descent reader for the JSON the simulator writes (ASCII, \u escapes).
class JsonReader {
public:
    explicit JsonReader(const std::string& text) : Text(text) {}

    JsonValue Document()
    {
        JsonValue value = Value();
        SkipBlanks();
        if (Pos != Text.size())
            Fail("trailing characters");
        return value;
    }

private:
    [[noreturn]] void Fail(const char* what) const
    {
        throw std::runtime_error(std::string("detsim answer: ") + what + " in " + Text);
    }

    void SkipBlanks()
    {
        while (Pos < Text.size() && std::isspace(static_cast<unsigned char>(Text[Pos])))
            ++Pos;
    }

    bool Take(char c)
    {
        SkipBlanks();
        if (Pos < Text.size() && Text[Pos] == c) {
            ++Pos;
            return true;
        }
        return false;
    }

    void Expect(char c)
    {
        if (!Take(c))
            Fail("unexpected character");
    }

    bool TakeWord(const char* word)
    {
        const std::string w(word);
        if (Text.compare(Pos, w.size(), w) != 0)
            return false;
        Pos += w.size();
        return true;
    }

    JsonValue Value()
    {
        SkipBlanks();
        JsonValue v;
        if (Take('{')) {
            v.Type = JsonValue::Kind::Object;
            if (!Take('}')) {
                do {
                    SkipBlanks();
                    std::string key = String();
                    Expect(':');
                    v.Fields[key] = Value();
                } while (Take(','));
                Expect('}');
            }
        } else if (Take('[')) {
            v.Type = JsonValue::Kind::Array;
            if (!Take(']')) {
                do
                    v.Items.push_back(Value());
                while (Take(','));
                Expect(']');
            }
        } else if (Pos < Text.size() && Text[Pos] == '"') {
            v.Type = JsonValue::Kind::String;
            v.Text = String();
        } else if (TakeWord("true")) {
            v.Type = JsonValue::Kind::Bool;
            v.Bool = true;
        } else if (TakeWord("false")) {
            v.Type = JsonValue::Kind::Bool;
        } else if (TakeWord("null")) {
            v.Type = JsonValue::Kind::Null;
        } else {
            const char* start = Text.c_str() + Pos;
            char* end = nullptr;
            v.Number = std::strtod(start, &end);
            if (end == start)
                Fail("bad value");
            v.Type = JsonValue::Kind::Number;
            Pos += end - start;
        }
        return v;
    }

    std::string String()
    {
        if (Pos >= Text.size() || Text[Pos] != '"')
            Fail("string expected");
        ++Pos;
        std::string out;
        while (Pos < Text.size() && Text[Pos] != '"') {
            char c = Text[Pos++];
            if (c != '\\') {
                out += c;
                continue;
            }
            if (Pos >= Text.size())
                Fail("bad escape");
            const char e = Text[Pos++];
            switch (e) {
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'u': {
                if (Pos + 4 > Text.size())
                    Fail("bad escape");
                const long code = std::strtol(Text.substr(Pos, 4).c_str(), nullptr, 16);
                Pos += 4;
                out += code < 0x80 ? static_cast<char>(code) : '?';   // the simulator's texts are ASCII
                break;
            }
            default: out += e; break;
            }
        }
        if (Pos >= Text.size())
            Fail("unterminated string");
        ++Pos;
        return out;
    }

    const std::string& Text;
    size_t Pos = 0;
};

std::string Quoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

int ControlPort()
{
    const std::string file = BinaryDir() + "\\detsim\\control_port";
    std::ifstream in(file);
    int port = 0;
    if (!(in >> port) || port <= 0)
        throw std::runtime_error("no detector simulator: cannot read " + file);
    return port;
}

DetsimTermios TermiosOf(const JsonValue& v)
{
    return {v["baud"].Int(), v["parity"].Text, v["stopbits"].Int(), v["bytesize"].Int()};
}

}  // namespace

const JsonValue& JsonValue::operator[](const std::string& key) const
{
    const auto it = Fields.find(key);
    if (it == Fields.end())
        throw std::runtime_error("detsim answer: no field " + key);
    return it->second;
}

JsonValue JsonValue::Parse(const std::string& text)
{
    return JsonReader(text).Document();
}

DetsimRequest::DetsimRequest(const std::string& op) : Body("{\"op\": " + Quoted(op)) {}

DetsimRequest& DetsimRequest::Add(const std::string& key, int value)
{
    Body += ", " + Quoted(key) + ": " + std::to_string(value);
    return *this;
}

DetsimRequest& DetsimRequest::Add(const std::string& key, bool value)
{
    Body += ", " + Quoted(key) + (value ? ": true" : ": false");
    return *this;
}

DetsimRequest& DetsimRequest::Add(const std::string& key, const std::string& value)
{
    Body += ", " + Quoted(key) + ": " + Quoted(value);
    return *this;
}

DetsimRequest& DetsimRequest::Add(const std::string& key, const std::vector<std::string>& values)
{
    std::string list;
    for (const std::string& value : values)
        list += (list.empty() ? "" : ", ") + Quoted(value);
    Body += ", " + Quoted(key) + ": [" + list + "]";
    return *this;
}

struct DetsimClient::Connection {
    SOCKET Socket = INVALID_SOCKET;
    std::string Pending;   // bytes received after the last answer line
};

DetsimClient::DetsimClient() : Conn(std::make_unique<Connection>())
{
    WSADATA wsa;
    if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0)
        throw std::runtime_error("WSAStartup failed");
    const int port = ControlPort();
    Conn->Socket = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (Conn->Socket == INVALID_SOCKET ||
        connect(Conn->Socket, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        if (Conn->Socket != INVALID_SOCKET)
            closesocket(Conn->Socket);
        WSACleanup();
        throw std::runtime_error("cannot connect to the detector simulator on port " + std::to_string(port));
    }
    const DWORD timeout = AnswerTimeoutMs;
    setsockopt(Conn->Socket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
}

DetsimClient::~DetsimClient()
{
    closesocket(Conn->Socket);
    WSACleanup();
}

JsonValue DetsimClient::Call(const DetsimRequest& request)
{
    const std::string line = request.Json() + "\n";
    if (send(Conn->Socket, line.data(), static_cast<int>(line.size()), 0) != static_cast<int>(line.size()))
        throw std::runtime_error("detsim: send failed");
    size_t end;
    while ((end = Conn->Pending.find('\n')) == std::string::npos) {
        char chunk[4096];
        const int got = recv(Conn->Socket, chunk, sizeof(chunk), 0);
        if (got <= 0)
            throw std::runtime_error("detsim: no answer to " + request.Json());
        Conn->Pending.append(chunk, got);
    }
    JsonValue answer = JsonValue::Parse(Conn->Pending.substr(0, end));
    Conn->Pending.erase(0, end + 1);
    if (!answer["ok"].Bool)
        throw std::runtime_error("detsim: " + request.Json() + " -> " + answer["error"].Text);
    return answer;
}

int DetsimClient::CreateLine(const std::vector<std::string>& detectors)
{
    return Call(DetsimRequest("create").Add("detectors", detectors))["com"].Int();
}

int DetsimClient::MapDevice(const std::string& unixPath)
{
    return Call(DetsimRequest("create").Add("device", unixPath))["com"].Int();
}

void DetsimClient::DeleteLine(int com)
{
    Call(DetsimRequest("delete").Add("com", com));
}

std::vector<DetsimFrame> DetsimClient::Frames(int com, bool clear)
{
    const JsonValue answer = Call(DetsimRequest("frames").Add("com", com).Add("clear", clear));
    std::vector<DetsimFrame> frames;
    for (const JsonValue& f : answer["frames"].Items)
        frames.push_back({f["t"].Number, FromHex(f["hex"].Text), f["complete"].Bool, TermiosOf(f)});
    return frames;
}

DetsimTermios DetsimClient::Termios(int com)
{
    return TermiosOf(Call(DetsimRequest("termios").Add("com", com)));
}

void DetsimClient::Send(int com, const std::vector<uint8_t>& bytes)
{
    Call(DetsimRequest("send").Add("com", com).Add("hex", ToHex(bytes)));
}

void DetsimClient::Script(int com, const DetsimScript& script)
{
    DetsimRequest request("script");
    request.Add("com", com).Add("delay_ms", script.DelayMs);
    if (script.HasBytes)
        request.Add("hex", ToHex(script.Bytes));
    if (script.Limit >= 0)
        request.Add("limit", script.Limit);
    Call(request);
}

std::vector<JsonValue> DetsimClient::Detectors(int com)
{
    return Call(DetsimRequest("model").Add("com", com).Add("action", "state"))["detectors"].Items;
}

namespace {

DetsimRequest SetDetectorRequest(int com, int index)
{
    DetsimRequest request("model");
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
