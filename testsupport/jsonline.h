#pragma once
// The control channels of the fixtures that run on the Unix side beside the tests (the detector
// simulator, the user input): one JSON object per line each way over TCP on 127.0.0.1. A
// fixture writes its port to $ZIRV_BINARY_DIR/NAME/control_port, NAME being its ctest fixture.

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace testsupport {

// A parsed JSON value; enough for the fixtures' answers.
struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind Type = Kind::Null;
    bool Bool = false;
    double Number = 0;
    std::string Text;
    std::vector<JsonValue> Items;
    std::map<std::string, JsonValue> Fields;

    // A field of an object; throws when absent.
    const JsonValue& operator[](const std::string& key) const;
    bool Has(const std::string& key) const { return Fields.count(key) != 0; }
    int Int() const { return static_cast<int>(Number); }

    static JsonValue Parse(const std::string& text);
};

// A request under construction: {"op": ..., key: value, ...}.
class JsonRequest {
public:
    explicit JsonRequest(const std::string& op);
    JsonRequest& Add(const std::string& key, int value);
    JsonRequest& Add(const std::string& key, bool value);
    JsonRequest& Add(const std::string& key, const std::string& value);
    JsonRequest& Add(const std::string& key, const char* value) { return Add(key, std::string(value)); }
    JsonRequest& Add(const std::string& key, const std::vector<std::string>& values);
    std::string Json() const { return Body + "}"; }

private:
    std::string Body;
};

// One connection to the control channel of the fixture NAME.
class JsonLineChannel {
public:
    explicit JsonLineChannel(const std::string& fixture);
    ~JsonLineChannel();
    JsonLineChannel(const JsonLineChannel&) = delete;
    JsonLineChannel& operator=(const JsonLineChannel&) = delete;

    // Sends one request; returns the answer, throws std::runtime_error when it is not ok.
    JsonValue Call(const JsonRequest& request);

private:
    struct Connection;
    std::string Fixture;
    std::unique_ptr<Connection> Conn;
};

}  // namespace testsupport
