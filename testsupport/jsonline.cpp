#include "jsonline.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "testpaths.h"

namespace testsupport {

namespace {

constexpr DWORD AnswerTimeoutMs = 10000;  // a stuck fixture fails the test instead of hanging it

// A recursive-descent reader for the JSON the fixtures write (ASCII, \u escapes).
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
        throw std::runtime_error(std::string("fixture answer: ") + what + " in " + Text);
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
                out += code < 0x80 ? static_cast<char>(code) : '?';  // the fixtures' texts are ASCII
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

// A JSON string of UTF-8 text; control characters escaped, so that a request stays one line.
std::string Quoted(const std::string& text)
{
    static const char digits[] = "0123456789abcdef";
    std::string out = "\"";
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20) {
            out += "\\u00";
            out += digits[c >> 4];
            out += digits[c & 15];
            continue;
        }
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

int ControlPort(const std::string& fixture)
{
    const std::string file = BinaryDir() + "\\" + fixture + "\\control_port";
    std::ifstream in(file);
    int port = 0;
    if (!(in >> port) || port <= 0)
        throw std::runtime_error("no " + fixture + " fixture: cannot read " + file);
    return port;
}

}  // namespace

const JsonValue& JsonValue::operator[](const std::string& key) const
{
    const auto it = Fields.find(key);
    if (it == Fields.end())
        throw std::runtime_error("fixture answer: no field " + key);
    return it->second;
}

JsonValue JsonValue::Parse(const std::string& text) { return JsonReader(text).Document(); }

JsonRequest::JsonRequest(const std::string& op) : Body("{\"op\": " + Quoted(op)) {}

JsonRequest& JsonRequest::Add(const std::string& key, int value)
{
    Body += ", " + Quoted(key) + ": " + std::to_string(value);
    return *this;
}

JsonRequest& JsonRequest::Add(const std::string& key, bool value)
{
    Body += ", " + Quoted(key) + (value ? ": true" : ": false");
    return *this;
}

JsonRequest& JsonRequest::Add(const std::string& key, const std::string& value)
{
    Body += ", " + Quoted(key) + ": " + Quoted(value);
    return *this;
}

JsonRequest& JsonRequest::Add(const std::string& key, const std::vector<std::string>& values)
{
    std::string list;
    for (const std::string& value : values)
        list += (list.empty() ? "" : ", ") + Quoted(value);
    Body += ", " + Quoted(key) + ": [" + list + "]";
    return *this;
}

struct JsonLineChannel::Connection {
    SOCKET Socket = INVALID_SOCKET;
    std::string Pending;  // bytes received after the last answer line
};

JsonLineChannel::JsonLineChannel(const std::string& fixture) : Fixture(fixture), Conn(std::make_unique<Connection>())
{
    WSADATA wsa;
    if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0)
        throw std::runtime_error("WSAStartup failed");
    const int port = ControlPort(fixture);
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
        throw std::runtime_error("cannot connect to the " + fixture + " fixture on port " + std::to_string(port));
    }
    const DWORD timeout = AnswerTimeoutMs;
    setsockopt(Conn->Socket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
}

JsonLineChannel::~JsonLineChannel()
{
    closesocket(Conn->Socket);
    WSACleanup();
}

JsonValue JsonLineChannel::Call(const JsonRequest& request)
{
    const std::string line = request.Json() + "\n";
    if (send(Conn->Socket, line.data(), static_cast<int>(line.size()), 0) != static_cast<int>(line.size()))
        throw std::runtime_error(Fixture + ": send failed");
    size_t end;
    while ((end = Conn->Pending.find('\n')) == std::string::npos) {
        char chunk[4096];
        const int got = recv(Conn->Socket, chunk, sizeof(chunk), 0);
        if (got <= 0)
            throw std::runtime_error(Fixture + ": no answer to " + request.Json());
        Conn->Pending.append(chunk, got);
    }
    JsonValue answer = JsonValue::Parse(Conn->Pending.substr(0, end));
    Conn->Pending.erase(0, end + 1);
    if (!answer["ok"].Bool)
        throw std::runtime_error(Fixture + ": " + request.Json() + " -> " + answer["error"].Text);
    return answer;
}

}  // namespace testsupport
