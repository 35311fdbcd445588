#pragma once
// An FTP client over the system's internet functions: log in, retrieve a file into a stream.

#include "vcl/classes.h"

#include <functional>

namespace vcl {

enum class TFtpTransferType { ftASCII, ftBinary };

// One blocking call of the client, run on a worker under a deadline. It captures by value and
// writes only into its output, which the worker owns.
struct FtpStepOutput;
using FtpStep = std::function<bool(FtpStepOutput&)>;

// IPv4 only (the host is resolved to a dotted address), no proxy. Every failure of the exchange
// raises the EFtpError family: EFtpTimeout when a step waits longer than ReadTimeout,
// EFtpConnectError when the server cannot be reached, EFtpReplyError with the server's reply when
// it refuses the login or a command; errors of the destination stream pass unchanged.
class TFtpClient : public TComponent {
    CL_CLASS(TFtpClient, TComponent)
public:
    explicit TFtpClient(TComponent* AOwner) : TComponent(AOwner) {}

    const String& Host() const { return FHost; }
    void SetHost(const String& value) { FHost = value; }
    Word Port() const { return FPort; }
    void SetPort(Word value) { FPort = value; }
    const String& Username() const { return FUsername; }
    void SetUsername(const String& value) { FUsername = value; }
    const String& Password() const { return FPassword; }
    void SetPassword(const String& value) { FPassword = value; }
    bool Passive() const { return FPassive; }
    void SetPassive(bool value) { FPassive = value; }
    TFtpTransferType TransferType() const { return FTransferType; }
    void SetTransferType(TFtpTransferType value) { FTransferType = value; }
    // The longest wait in milliseconds for the server in any one step.
    Integer ReadTimeout() const { return FReadTimeout; }
    void SetReadTimeout(Integer value) { FReadTimeout = value; }

    // Connects and logs in; an open connection is closed first.
    void Connect();
    bool Connected() const { return FConnection != nullptr; }
    // Retrieves RemoteFile (a path relative to the login directory) and writes it to Dest.
    void Get(const String& RemoteFile, TStream* Dest);
    void Disconnect() noexcept;

protected:
    ~TFtpClient() override;

private:
    // Runs one blocking step within ReadTimeout and hands back what it produced; a failure
    // raises the EFtpError that fits it.
    FtpStepOutput RunStep(const String& action, FtpStep step);

    String FHost;
    Word FPort = 21;
    String FUsername;
    String FPassword;
    bool FPassive = true;
    TFtpTransferType FTransferType = TFtpTransferType::ftASCII;
    Integer FReadTimeout = 60000;
    void* FSession = nullptr;     // the root internet handle; closing it aborts a blocked call
    void* FConnection = nullptr;  // the FTP connection under FSession
};

}  // namespace vcl
