// The socket headers must precede windows.h, which the class library's headers include.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "vcl/ftpclient.h"
#include "vcl/sysutils.h"

#include <wininet.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace vcl {

namespace {

constexpr DWORD TransferChunk = 64 * 1024;

// What one blocking call left behind. The internet functions keep the last error and the
// server's last reply per thread, so both are read on the thread that made the call.
struct StepResult {
    bool Ok = false;
    bool TimedOut = false;
    DWORD Error = 0;
    String Reply;
};

String LastReply()
{
    DWORD error = 0;
    String text(1024, L'\0');
    DWORD length = static_cast<DWORD>(text.size());
    if (!InternetGetLastResponseInfoW(&error, text.data(), &length)) {
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            return L"";
        text.resize(length + 1);
        length = static_cast<DWORD>(text.size());
        if (!InternetGetLastResponseInfoW(&error, text.data(), &length))
            return L"";
    }
    text.resize(length);
    return Trim(text);
}

String ErrorText(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_HMODULE |
                                            FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        GetModuleHandleW(L"wininet.dll"), error, 0, reinterpret_cast<wchar_t*>(&text),
                                        0, nullptr);
    String message = length ? Trim(String(text, length)) : String();
    LocalFree(text);
    return message.empty() ? Format(L"error %d", static_cast<int>(error)) : message;
}

// Runs a blocking call on a worker; when it outlasts the timeout, closing the session handle
// aborts it. The system's receive timeout alone is not enough: Wine ignores it for FTP.
StepResult RunWithDeadline(HINTERNET session, Integer timeoutMs, const std::function<bool()>& call)
{
    StepResult result;
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::thread worker([&] {
        StepResult outcome;
        outcome.Ok = call();
        if (!outcome.Ok) {
            outcome.Error = GetLastError();
            outcome.Reply = LastReply();
        }
        std::lock_guard lock(mutex);
        result = outcome;
        done = true;
        finished.notify_one();
    });
    bool timedOut;
    {
        std::unique_lock lock(mutex);
        timedOut = !finished.wait_for(lock, std::chrono::milliseconds(std::max(timeoutMs, 0)), [&] { return done; });
    }
    if (timedOut)
        InternetCloseHandle(session);
    worker.join();
    result.TimedOut = timedOut;
    return result;
}

[[noreturn]] void RaiseStepError(const StepResult& result, const String& action, Integer timeoutMs)
{
    if (result.TimedOut || result.Error == ERROR_INTERNET_TIMEOUT)
        throw EFtpTimeout(Format(L"%s: no answer within %d ms", action, timeoutMs));
    switch (result.Error) {
    case ERROR_INTERNET_LOGIN_FAILURE:
    case ERROR_INTERNET_EXTENDED_ERROR:
        throw EFtpReplyError(result.Reply.empty() ? ErrorText(result.Error) : result.Reply);
    case ERROR_INTERNET_CANNOT_CONNECT:
    case ERROR_INTERNET_NAME_NOT_RESOLVED:
    case ERROR_INTERNET_CONNECTION_ABORTED:
    case ERROR_INTERNET_CONNECTION_RESET:
        throw EFtpConnectError(Format(L"%s: %s", action, ErrorText(result.Error)));
    default:
        throw EFtpError(Format(L"%s: %s", action, ErrorText(result.Error)));
    }
}

// The host's first IPv4 address in dotted form, so that no IPv6 address is tried.
String ResolveIPv4(const String& host)
{
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        throw EFtpConnectError(L"Sockets are not available");
    ADDRINFOW hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    ADDRINFOW* list = nullptr;
    String address;
    if (GetAddrInfoW(host.c_str(), nullptr, &hints, &list) == 0) {
        wchar_t text[INET_ADDRSTRLEN] = {};
        auto* ipv4 = reinterpret_cast<sockaddr_in*>(list->ai_addr);
        if (InetNtopW(AF_INET, &ipv4->sin_addr, text, INET_ADDRSTRLEN))
            address = text;
        FreeAddrInfoW(list);
    }
    WSACleanup();
    if (address.empty())
        throw EFtpConnectError(Format(L"Cannot resolve the host %s", host));
    return address;
}

// Honoured by Windows; Wine leaves FTP unbounded, which RunWithDeadline makes up for.
void SetTimeouts(HINTERNET session, Integer timeoutMs)
{
    DWORD value = static_cast<DWORD>(std::max(timeoutMs, 0));
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT})
        InternetSetOptionW(session, option, &value, sizeof(value));
}

}  // namespace

TFtpClient::~TFtpClient()
{
    Disconnect();
}

void TFtpClient::RunStep(const String& action, const std::function<bool()>& step)
{
    const StepResult result = RunWithDeadline(FSession, FReadTimeout, step);
    if (result.TimedOut) {
        // The abort closed the session and every handle under it.
        FSession = nullptr;
        FConnection = nullptr;
    }
    if (!result.Ok || result.TimedOut)
        RaiseStepError(result, action, FReadTimeout);
}

void TFtpClient::Connect()
{
    Disconnect();
    const String address = ResolveIPv4(FHost);
    FSession = InternetOpenW(L"Zirvane", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (!FSession)
        throw EFtpError(Format(L"Connecting to %s: %s", FHost, ErrorText(GetLastError())));
    SetTimeouts(FSession, FReadTimeout);
    HINTERNET connection = nullptr;
    RunStep(Format(L"Connecting to %s", FHost), [&] {
        connection = InternetConnectW(FSession, address.c_str(), FPort, FUsername.c_str(), FPassword.c_str(),
                                      INTERNET_SERVICE_FTP, FPassive ? INTERNET_FLAG_PASSIVE : 0, 0);
        return connection != nullptr;
    });
    FConnection = connection;
}

void TFtpClient::Get(const String& RemoteFile, TStream* Dest)
{
    if (!Connected())
        throw EFtpConnectError(L"Not connected");
    const String action = L"Retrieving " + RemoteFile;
    const DWORD type = FTransferType == TFtpTransferType::ftASCII ? FTP_TRANSFER_TYPE_ASCII : FTP_TRANSFER_TYPE_BINARY;
    HINTERNET file = nullptr;
    RunStep(action, [&] {
        file = FtpOpenFileW(FConnection, RemoteFile.c_str(), GENERIC_READ, type | INTERNET_FLAG_RELOAD, 0);
        return file != nullptr;
    });
    try {
        std::vector<BYTE> buffer(TransferChunk);
        for (;;) {
            DWORD count = 0;
            RunStep(action, [&] { return InternetReadFile(file, buffer.data(), TransferChunk, &count) != FALSE; });
            if (count == 0)
                break;
            Dest->WriteBuffer(buffer.data(), count);
        }
    } catch (...) {
        if (FSession)
            InternetCloseHandle(file);
        throw;
    }
    // Closing the transfer waits for the server's closing reply, so it is bounded as well.
    RunStep(action, [&] { return InternetCloseHandle(file) != FALSE; });
}

void TFtpClient::Disconnect() noexcept
{
    try {
        // Closing the connection says goodbye to the server and waits for its answer.
        if (FConnection && RunWithDeadline(FSession, FReadTimeout, [&] { return InternetCloseHandle(FConnection) != FALSE; })
                               .TimedOut)
            FSession = nullptr;
    } catch (...) {
        // A worker thread that cannot start leaves the connection to the session's close below.
    }
    if (FSession)
        InternetCloseHandle(FSession);
    FSession = nullptr;
    FConnection = nullptr;
}

}  // namespace vcl
