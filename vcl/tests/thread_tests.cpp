#include "vcl/classes.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

using namespace vcl;

namespace {

// Serves Synchronize calls, as the GUI thread's message loop does, until pred holds or 10 s pass.
bool ServeUntil(const std::function<bool()>& pred)
{
    for (int i = 0; i < 1000 && !pred(); ++i)
        CheckSynchronize(10);
    return pred();
}

// A thread whose body is given as a function.
class TTestThread : public TThread {
    CL_CLASS(TTestThread, TThread)
public:
    TTestThread(bool suspended, std::function<void(TTestThread*)> body, std::atomic<int>* destroyed = nullptr)
        : TThread(suspended), FBody(std::move(body)), FDestroyed(destroyed)
    {
    }
    using TThread::Synchronize;
    std::atomic<bool> entered{false};

protected:
    ~TTestThread() override
    {
        if (FDestroyed)
            ++*FDestroyed;
    }
    void Execute() override
    {
        entered = true;
        FBody(this);
    }

private:
    std::function<void(TTestThread*)> FBody;
    std::atomic<int>* FDestroyed;
};

}  // namespace

TEST(Thread, SynchronizedExceptionResurfacesInTheWorker)
{
    String caught;
    std::atomic<bool> ranOnMain{false};
    TTestThread* t = Create<TTestThread>(false, [&](TTestThread* self) {
        try {
            self->Synchronize([&] {
                ranOnMain = GetCurrentThreadId() == MainThreadID();
                throw EConvertError(L"from the GUI thread");
            });
        } catch (const EConvertError& e) {
            caught = e.Message();
        }
    });
    EXPECT_TRUE(ServeUntil([&] { return t->Finished(); }));
    t->Free();
    EXPECT_TRUE(ranOnMain);
    EXPECT_EQ(caught, L"from the GUI thread");
}

TEST(Thread, AnExceptionEndingExecuteIsKeptAsFatalException)
{
    TTestThread* t = Create<TTestThread>(false, [](TTestThread*) { throw EAbort(L"stop"); });
    t->WaitFor();
    ASSERT_TRUE(t->FatalException());
    EXPECT_THROW(std::rethrow_exception(t->FatalException()), EAbort);
    t->Free();
}

TEST(Thread, FreeingANeverStartedThreadNeverEntersExecute)
{
    std::atomic<int> destroyed{0};
    TTestThread* t = Create<TTestThread>(true, [](TTestThread*) {}, &destroyed);
    EXPECT_TRUE(t->Suspended());
    int terminated = 0;
    t->SetOnTerminate([&](TObject*) { ++terminated; });
    auto* entered = &t->entered;
    EXPECT_FALSE(*entered);
    t->Free();
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(terminated, 1);  // OnTerminate still runs, on this thread, while Free waits
}

TEST(Thread, FreeingAThreadWaitingInSynchronizeCompletes)
{
    HANDLE queued = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    SetWakeMainThread([queued] { SetEvent(queued); });
    std::atomic<int> polls{0};
    TTestThread* t = Create<TTestThread>(false, [&](TTestThread* self) {
        while (!self->Terminated())
            self->Synchronize([&] { ++polls; });
    });
    // The worker has queued a call and waits for it; nobody pumps but Free.
    ASSERT_EQ(WaitForSingleObject(queued, 10000), WAIT_OBJECT_0);
    t->Free();
    EXPECT_GE(polls, 1);
    SetWakeMainThread(nullptr);
    CloseHandle(queued);
}

TEST(Thread, AWakeHookThatFailsStillGetsTheCallServed)
{
    SetWakeMainThread([] { throw EInvalidOperation(L"no window to post to"); });
    std::atomic<bool> ranOnMain{false};
    TTestThread* t = Create<TTestThread>(false, [&](TTestThread* self) {
        self->Synchronize([&] { ranOnMain = GetCurrentThreadId() == MainThreadID(); });
    });
    EXPECT_TRUE(ServeUntil([&] { return t->Finished(); }));
    EXPECT_TRUE(ranOnMain);
    EXPECT_FALSE(t->FatalException());
    t->Free();
    SetWakeMainThread(nullptr);
}

TEST(Thread, RetiringTheWakeHookWaitsForItsRunningCall)
{
    HANDLE entered = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetWakeMainThread([&] {
        SetEvent(entered);
        WaitForSingleObject(release, 10000);
    });
    TTestThread* t = Create<TTestThread>(false, [](TTestThread* self) { self->Synchronize([] {}); });
    ASSERT_EQ(WaitForSingleObject(entered, 10000), WAIT_OBJECT_0);

    // The owner of the hook retires it, as the application object does when it goes.
    std::atomic<bool> retired{false};
    std::thread owner([&] {
        SetWakeMainThread(nullptr);
        retired = true;
    });
    Sleep(200);
    EXPECT_FALSE(retired);  // the hook is still running
    SetEvent(release);
    owner.join();
    EXPECT_TRUE(retired);
    EXPECT_TRUE(ServeUntil([&] { return t->Finished(); }));
    t->Free();
    CloseHandle(entered);
    CloseHandle(release);
}

TEST(Thread, FreeOnTerminateFreesOnce)
{
    std::atomic<int> destroyed{0};
    int terminated = 0;
    TTestThread* t = Create<TTestThread>(true, [](TTestThread*) {}, &destroyed);
    t->SetFreeOnTerminate(true);
    t->SetOnTerminate([&](TObject*) { ++terminated; });
    t->Start();
    EXPECT_TRUE(ServeUntil([&] { return destroyed == 1; }));
    CheckSynchronize(50);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(terminated, 1);
}

TEST(Thread, StartOnlyOnce)
{
    TTestThread* t = Create<TTestThread>(true, [](TTestThread*) {});
    EXPECT_THROW(t->WaitFor(), EThread);
    t->Start();
    EXPECT_THROW(t->Start(), EThread);
    t->WaitFor();
    EXPECT_TRUE(t->entered);
    t->Free();
}

TEST(Thread, SynchronizeOnTheMainThreadRunsAtOnce)
{
    int calls = 0;
    TThread::Synchronize(nullptr, [&] { ++calls; });
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(CheckSynchronize());
}

TEST(Thread, CheckSynchronizeBelongsToTheMainThread)
{
    bool raised = false;
    TTestThread* t = Create<TTestThread>(false, [&](TTestThread*) {
        try {
            CheckSynchronize();
        } catch (const EThread&) {
            raised = true;
        }
    });
    t->WaitFor();
    t->Free();
    EXPECT_TRUE(raised);
}

TEST(Thread, CallsRunInTheOrderTheyWereQueued)
{
    std::vector<int> order;
    HANDLE go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> queued{0};
    SetWakeMainThread([&] { ++queued; });
    auto body = [&](int id) {
        return [&, id](TTestThread* self) {
            WaitForSingleObject(go, INFINITE);
            self->Synchronize([&, id] { order.push_back(id); });
        };
    };
    TTestThread* a = Create<TTestThread>(false, body(1));
    SetEvent(go);
    ASSERT_TRUE(ServeUntil([&] { return queued == 1; }));
    TTestThread* b = Create<TTestThread>(false, body(2));
    EXPECT_TRUE(ServeUntil([&] { return a->Finished() && b->Finished(); }));
    a->Free();
    b->Free();
    SetWakeMainThread(nullptr);
    CloseHandle(go);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST(Thread, NamingDoesNotFail)
{
    TThread::NameThreadForDebugging(L"ReadWriteInfo");
    SUCCEED();
}
