#include "mainwindow/Testthread.h"

void TReqInfoThread::Execute() {}

void TReqInfoThread::ReadWriteInfo() {}

void TReqInfoThread::ShowInfo() {}

void TReqInfoThread::ShowNoLink() {}
