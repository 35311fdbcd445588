#include "vcl/classes.h"

#include "vcl/sysutils.h"

#include <process.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace vcl {

// ---------------------------------------------------------------------------------------------
// Synchronize queue

namespace {

struct SyncRequest {
    TThreadMethod method;
    std::exception_ptr error;
    bool done = false;
};

const DWORD gMainThreadId = GetCurrentThreadId();

// The queue's state is never destroyed: a thread may still wait in Synchronize while the process
// runs its exit handlers.
struct SyncState {
    std::mutex mutex;
    std::condition_variable done;
    std::deque<SyncRequest*> queue;
    TDelegate<void()> wake;
};

SyncState& Sync()
{
    static SyncState* const state = new SyncState;
    return *state;
}

// Signalled while the queue holds requests.
HANDLE SyncEvent()
{
    static const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return event;
}

}  // namespace

DWORD MainThreadID() { return gMainThreadId; }

void SetWakeMainThread(TDelegate<void()> hook)
{
    std::lock_guard lock(Sync().mutex);
    Sync().wake = std::move(hook);
}

bool CheckSynchronize(int Timeout)
{
    if (GetCurrentThreadId() != MainThreadID())
        throw EThread(L"CheckSynchronize called from a thread other than the main thread");
    if (Timeout > 0)
        WaitForSingleObject(SyncEvent(), static_cast<DWORD>(Timeout));
    bool ran = false;
    for (;;) {
        SyncRequest* request;
        {
            std::lock_guard lock(Sync().mutex);
            if (Sync().queue.empty()) {
                ResetEvent(SyncEvent());
                return ran;
            }
            request = Sync().queue.front();
            Sync().queue.pop_front();
        }
        ran = true;
        try {
            request->method();
        } catch (...) {
            request->error = std::current_exception();
        }
        {
            std::lock_guard lock(Sync().mutex);
            request->done = true;
        }
        Sync().done.notify_all();
    }
}

// ---------------------------------------------------------------------------------------------
// TThread

TThread::TThread(bool CreateSuspended) : FCreateSuspended(CreateSuspended)
{
    unsigned id = 0;
    FHandle = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &id));
    if (!FHandle)
        throw EThread(L"Thread creation error: " + SysErrorMessage(GetLastError()));
    FThreadID = id;
}

TThread::~TThread()
{
    if (FHandle)
        CloseHandle(FHandle);
}

void TThread::AfterConstruction()
{
    if (!FCreateSuspended)
        Start();
}

void TThread::BeforeDestruction()
{
    // A thread freeing itself at its end has nothing to wait for.
    if (GetCurrentThreadId() == FThreadID)
        return;
    Terminate();
    if (!FStarted) {
        FStarted = true;
        ResumeThread(FHandle);
    }
    WaitFor();
}

void TThread::Start()
{
    if (FStarted)
        throw EThread(L"Cannot call Start on a running or finished thread");
    FStarted = true;
    ResumeThread(FHandle);
}

uint32_t TThread::WaitFor()
{
    if (!FStarted)
        throw EThread(L"Cannot wait for a thread that was never started");
    if (GetCurrentThreadId() == MainThreadID()) {
        const HANDLE handles[2] = {FHandle, SyncEvent()};
        for (;;) {
            DWORD r = MsgWaitForMultipleObjects(2, handles, FALSE, INFINITE, QS_SENDMESSAGE);
            if (r == WAIT_OBJECT_0 + 1) {
                CheckSynchronize();
            } else if (r == WAIT_OBJECT_0 + 2) {
                // Lets messages sent by other threads through, as a blocked GUI thread must.
                MSG msg;
                PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
            } else {
                break;
            }
        }
    } else {
        WaitForSingleObject(FHandle, INFINITE);
    }
    DWORD code = 0;
    GetExitCodeThread(FHandle, &code);
    return code;
}

void TThread::DoTerminate()
{
    if (FOnTerminate)
        Synchronize([this] { FOnTerminate(this); });
}

void TThread::Synchronize(TThread*, const TThreadMethod& Method)
{
    if (GetCurrentThreadId() == MainThreadID()) {
        Method();
        return;
    }
    SyncRequest request{Method, nullptr, false};
    {
        std::lock_guard lock(Sync().mutex);
        Sync().queue.push_back(&request);
        SetEvent(SyncEvent());
        // Called under the lock, so that SetWakeMainThread cannot retire the hook (and its owner
        // go) while it runs. The request is queued now and must be waited for whatever the hook
        // does: one that fails leaves it to the next CheckSynchronize.
        if (Sync().wake) {
            try {
                Sync().wake();
            } catch (...) {
            }
        }
    }
    {
        std::unique_lock lock(Sync().mutex);
        Sync().done.wait(lock, [&] { return request.done; });
    }
    if (request.error)
        std::rethrow_exception(request.error);
}

void TThread::Sleep(int Milliseconds) { ::Sleep(static_cast<DWORD>(std::max(Milliseconds, 0))); }

void TThread::NameThreadForDebugging(const String& ThreadName, DWORD ThreadId)
{
    using SetDescription = HRESULT(WINAPI*)(HANDLE, PCWSTR);
    auto setDescription = reinterpret_cast<SetDescription>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetThreadDescription")));
    if (!setDescription)
        return;
    if (ThreadId == 0) {
        setDescription(GetCurrentThread(), ThreadName.c_str());
        return;
    }
    HANDLE thread = OpenThread(THREAD_SET_LIMITED_INFORMATION, FALSE, ThreadId);
    if (thread) {
        setDescription(thread, ThreadName.c_str());
        CloseHandle(thread);
    }
}

unsigned __stdcall TThread::ThreadProc(void* parameter)
{
    auto* thread = static_cast<TThread*>(parameter);
    // Nothing may leave the thread entry: what ends Execute is kept as FatalException.
    try {
        if (!thread->FTerminated)
            thread->Execute();
    } catch (...) {
        thread->FFatalException = std::current_exception();
    }
    try {
        thread->DoTerminate();
    } catch (...) {
    }
    const bool freeIt = thread->FFreeOnTerminate;
    const uint32_t result = thread->FReturnValue;
    thread->FFinished = true;
    if (freeIt)
        thread->Free();
    return result;
}

}  // namespace vcl
