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

// A step's own outputs. They live in the step's shared state, never on the caller's stack, so a
// step abandoned at its deadline writes nowhere that has gone.
struct FtpStepOutput {
    HINTERNET Handle = nullptr;
    DWORD Count = 0;
    std::vector<BYTE> Data;
};

namespace {

constexpr DWORD TransferChunk = 64 * 1024;

// What one blocking call left behind. The internet functions keep the last error and the
// server's last reply per thread, so both are read on the thread that made the call.
struct StepResult {
    bool Ok = false;
    bool TimedOut = false;
    DWORD Error = 0;
    String Reply;
    FtpStepOutput Output;
    std::exception_ptr Failure;  // what the step itself raised (no memory, say)
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

// How long a step that outlived its deadline gets, once its session is closed, to come back.
constexpr auto AbortGrace = std::chrono::milliseconds(1000);

// Shared by the caller and the worker of one step; whichever leaves last frees it.
struct StepState {
    std::mutex Mutex;
    std::condition_variable Finished;
    bool Done = false;
    StepResult Result;
};

// Runs a blocking call on a worker; when it outlasts the timeout, closing the session handle
// aborts it. The system's receive timeout alone is not enough: Wine ignores it for FTP. Nor
// does the close free every call (a transfer that stalls stays blocked in Wine): a worker
// that has not come back after AbortGrace is left to end on its own, with the state it owns.
StepResult RunWithDeadline(HINTERNET session, Integer timeoutMs, FtpStep step)
{
    auto state = std::make_shared<StepState>();
    std::thread worker([state, step = std::move(step)] {
        StepResult outcome;
        // Nothing may leave the thread's entry.
        try {
            outcome.Ok = step(outcome.Output);
            if (!outcome.Ok) {
                outcome.Error = GetLastError();
                outcome.Reply = LastReply();
            }
        } catch (...) {
            outcome.Failure = std::current_exception();
        }
        std::lock_guard lock(state->Mutex);
        state->Result = std::move(outcome);
        state->Done = true;
        state->Finished.notify_one();
    });
    std::unique_lock lock(state->Mutex);
    const bool inTime = state->Finished.wait_for(lock, std::chrono::milliseconds(std::max(timeoutMs, 0)),
                                                 [&] { return state->Done; });
    if (!inTime) {
        lock.unlock();
        InternetCloseHandle(session);
        lock.lock();
        if (!state->Finished.wait_for(lock, AbortGrace, [&] { return state->Done; })) {
            worker.detach();
            StepResult abandoned;
            abandoned.TimedOut = true;
            return abandoned;
        }
    }
    lock.unlock();
    worker.join();
    StepResult result = std::move(state->Result);
    result.TimedOut = !inTime;
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

FtpStepOutput TFtpClient::RunStep(const String& action, FtpStep step)
{
    StepResult result = RunWithDeadline(FSession, FReadTimeout, std::move(step));
    if (result.TimedOut) {
        // The abort closed the session and every handle under it.
        FSession = nullptr;
        FConnection = nullptr;
    }
    if (result.Failure)
        std::rethrow_exception(result.Failure);
    if (!result.Ok || result.TimedOut)
        RaiseStepError(result, action, FReadTimeout);
    return std::move(result.Output);
}

void TFtpClient::Connect()
{
    Disconnect();
    const String address = ResolveIPv4(FHost);
    FSession = InternetOpenW(L"Zirvane", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (!FSession)
        throw EFtpError(Format(L"Connecting to %s: %s", FHost, ErrorText(GetLastError())));
    SetTimeouts(FSession, FReadTimeout);
    const DWORD flags = FPassive ? INTERNET_FLAG_PASSIVE : 0;
    FConnection = RunStep(Format(L"Connecting to %s", FHost),
                          [session = FSession, address, port = FPort, user = FUsername, password = FPassword,
                           flags](FtpStepOutput& out) {
                              out.Handle = InternetConnectW(session, address.c_str(), port, user.c_str(),
                                                            password.c_str(), INTERNET_SERVICE_FTP, flags, 0);
                              return out.Handle != nullptr;
                          })
                      .Handle;
}

void TFtpClient::Get(const String& RemoteFile, TStream* Dest)
{
    if (!Connected())
        throw EFtpConnectError(L"Not connected");
    const String action = L"Retrieving " + RemoteFile;
    const DWORD type = FTransferType == TFtpTransferType::ftASCII ? FTP_TRANSFER_TYPE_ASCII : FTP_TRANSFER_TYPE_BINARY;
    const HINTERNET file = RunStep(action, [connection = FConnection, RemoteFile, type](FtpStepOutput& out) {
                               out.Handle = FtpOpenFileW(connection, RemoteFile.c_str(), GENERIC_READ,
                                                         type | INTERNET_FLAG_RELOAD, 0);
                               return out.Handle != nullptr;
                           }).Handle;
    try {
        for (;;) {
            const FtpStepOutput chunk = RunStep(action, [file](FtpStepOutput& out) {
                out.Data.resize(TransferChunk);
                return InternetReadFile(file, out.Data.data(), TransferChunk, &out.Count) != FALSE;
            });
            if (chunk.Count == 0)
                break;
            Dest->WriteBuffer(chunk.Data.data(), chunk.Count);
        }
    } catch (...) {
        if (FSession)
            InternetCloseHandle(file);
        throw;
    }
    // Closing the transfer waits for the server's closing reply, so it is bounded as well.
    RunStep(action, [file](FtpStepOutput&) { return InternetCloseHandle(file) != FALSE; });
}

void TFtpClient::Disconnect() noexcept
{
    try {
        // Closing the connection says goodbye to the server and waits for its answer.
        if (FConnection && RunWithDeadline(FSession, FReadTimeout, [connection = FConnection](FtpStepOutput&) {
                               return InternetCloseHandle(connection) != FALSE;
                           }).TimedOut)
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
