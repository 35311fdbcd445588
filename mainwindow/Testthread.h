#pragma once
// The poll thread: it asks the current detector for its state about every 50 ms and has the GUI
// thread show each reply, or the lost link, through the synchronisation call.
#include "vcl/classes.h"

class TReqInfoThread : public vcl::TThread {
    CL_CLASS(TReqInfoThread, vcl::TThread)
public:
    using vcl::TThread::TThread;

    // One poll: a state query without key, then the display of its outcome.
    void ReadWriteInfo();
    // Run on the GUI thread: the display of a good reply, and of a failed exchange.
    void ShowInfo();
    void ShowNoLink();

protected:
    void Execute() override;
};
