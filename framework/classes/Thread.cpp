#include "framework/classes/Thread.h"

#include <process.h>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

#include "framework/classes/UtilityWindow.h"

const DWORD MainThreadID = GetCurrentThreadId();

namespace {

const UINT WM_KVL_SYNCHRONIZE = WM_USER + 1;

// One call waiting for the GUI thread. A synchronized call's worker sleeps until Done.
struct TSyncCall {
    TThreadMethod Method;
    TThread* Thread = nullptr;
    bool Queued = false;
    bool Done = false;
    std::exception_ptr Error;
};

std::mutex SyncLock;
std::condition_variable SyncDone;
std::deque<std::shared_ptr<TSyncCall>> SyncList;
HWND SyncWindow = nullptr;
// Signalled whenever a call is added, so a GUI thread waiting in WaitFor wakes for it.
HANDLE SyncEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);

String LastErrorText()
{
    DWORD code = GetLastError();
    wchar_t* buffer = nullptr;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    String text = length != 0 ? String(buffer, length) : L"error " + std::to_wstring(code);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text;
}

bool OnMainThread() { return GetCurrentThreadId() == MainThreadID; }

// The window must belong to the GUI thread, so only that thread makes it; a worker that finds
// none still gets its call run by the next CheckSynchronize.
void EnsureSyncWindow()
{
    if (SyncWindow != nullptr || !OnMainThread())
        return;
    HWND wnd = nullptr;
    try {
        wnd = AllocateHWnd([](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (msg == WM_KVL_SYNCHRONIZE) {
                CheckSynchronize();
                return 0;
            }
            return DefWindowProcW(wnd, msg, wParam, lParam);
        });
    } catch (const Exception&) {
        return;
    }
    std::lock_guard<std::mutex> guard(SyncLock);
    SyncWindow = wnd;
}

void WakeMainThread()
{
    SetEvent(SyncEvent);
    HWND wnd;
    {
        std::lock_guard<std::mutex> guard(SyncLock);
        wnd = SyncWindow;
    }
    if (wnd != nullptr)
        PostMessageW(wnd, WM_KVL_SYNCHRONIZE, 0, 0);
}

void AddCall(const std::shared_ptr<TSyncCall>& call)
{
    {
        std::lock_guard<std::mutex> guard(SyncLock);
        SyncList.push_back(call);
    }
    WakeMainThread();
}

// Waits for a thread handle. On the GUI thread the wait keeps serving synchronized calls and
// sent messages, since the thread may be waiting for exactly those.
void WaitForThreadHandle(HANDLE handle)
{
    if (!OnMainThread()) {
        WaitForSingleObject(handle, INFINITE);
        return;
    }
    HANDLE handles[2] = {handle, SyncEvent};
    for (;;) {
        DWORD result = MsgWaitForMultipleObjects(2, handles, FALSE, 1000, QS_SENDMESSAGE);
        if (result == WAIT_OBJECT_0)
            return;
        if (result == WAIT_OBJECT_0 + 1) {
            CheckSynchronize();
        } else if (result == WAIT_OBJECT_0 + 2) {
            MSG msg;
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
        } else if (result == WAIT_FAILED) {
            throw EThread(L"Thread Error: " + LastErrorText());
        }
    }
}

int PriorityValue(TThreadPriority priority)
{
    static const int values[] = {THREAD_PRIORITY_IDLE,         THREAD_PRIORITY_LOWEST, THREAD_PRIORITY_BELOW_NORMAL,
                                 THREAD_PRIORITY_NORMAL,       THREAD_PRIORITY_ABOVE_NORMAL,
                                 THREAD_PRIORITY_HIGHEST,      THREAD_PRIORITY_TIME_CRITICAL};
    return values[priority];
}

} // namespace

TThread::TThread(bool CreateSuspended) : FCreateSuspended(CreateSuspended)
{
    EnsureSyncWindow();
    unsigned id = 0;
    FHandle = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &id));
    if (FHandle == nullptr)
        throw EThread(L"Thread creation error: " + LastErrorText());
    FThreadID = id;
}

TThread::~TThread()
{
    if (FHandle != nullptr && GetCurrentThreadId() != FThreadID) {
        if (!FStarted) {
            // Never started: let the system thread end without running anything.
            FAbandoned = true;
            ResumeThread(FHandle);
            WaitForSingleObject(FHandle, INFINITE);
        } else {
            Terminate();
            for (;;) {
                try {
                    WaitForThreadHandle(FHandle);
                    break;
                } catch (...) {
                    if (UtilityWindowExceptionHandler)
                        UtilityWindowExceptionHandler(std::current_exception());
                }
            }
        }
    }
    RemoveQueuedEvents(this);
    if (FHandle != nullptr)
        CloseHandle(FHandle);
}

void TThread::AfterConstruction()
{
    if (!FCreateSuspended && !FStarted)
        Start();
}

void TThread::Start()
{
    if (FStarted || FFinished)
        throw EThread(L"Cannot call Start on a running or finished thread");
    FStarted = true;
    if (ResumeThread(FHandle) == static_cast<DWORD>(-1)) {
        FStarted = false;
        throw EThread(L"Thread Error: " + LastErrorText());
    }
}

void TThread::Resume()
{
    if (!FStarted && !FFinished)
        Start();
}

DWORD TThread::WaitFor()
{
    if (FFreeOnTerminate)
        throw EThread(L"Cannot wait for a thread that frees itself");
    if (!FStarted)
        throw EThread(L"Cannot wait for a thread that has not started");
    WaitForThreadHandle(FHandle);
    DWORD code = 0;
    if (!GetExitCodeThread(FHandle, &code))
        throw EThread(L"Thread Error: " + LastErrorText());
    return code;
}

TThreadPriority TThread::Priority() const
{
    int value = GetThreadPriority(FHandle);
    for (int p = tpIdle; p <= tpTimeCritical; ++p)
        if (PriorityValue(static_cast<TThreadPriority>(p)) == value)
            return static_cast<TThreadPriority>(p);
    return tpNormal;
}

void TThread::SetPriority(TThreadPriority Value)
{
    if (!SetThreadPriority(FHandle, PriorityValue(Value)))
        throw EThread(L"Thread Error: " + LastErrorText());
}

void TThread::DoTerminate()
{
    if (OnTerminate)
        Synchronize([this] { OnTerminate(this); });
}

unsigned __stdcall TThread::ThreadProc(void* Parameter)
{
    auto* thread = static_cast<TThread*>(Parameter);
    if (thread->FAbandoned)
        return 0;
    try {
        if (!thread->FTerminated)
            thread->Execute();
    } catch (...) {
        thread->FFatalException = std::current_exception();
    }
    bool freeThread = thread->FFreeOnTerminate;
    unsigned result = static_cast<unsigned>(thread->FReturnValue);
    try {
        thread->DoTerminate();
    } catch (...) {
        if (!thread->FFatalException)
            thread->FFatalException = std::current_exception();
    }
    thread->FFinished = true;
    if (freeThread)
        delete thread;
    return result;
}

void TThread::Synchronize(TThread* AThread, TThreadMethod Method)
{
    if (OnMainThread()) {
        Method();
        return;
    }
    auto call = std::make_shared<TSyncCall>();
    call->Method = std::move(Method);
    call->Thread = AThread;
    AddCall(call);
    {
        std::unique_lock<std::mutex> guard(SyncLock);
        SyncDone.wait(guard, [&] { return call->Done; });
    }
    if (call->Error)
        std::rethrow_exception(call->Error);
}

void TThread::Queue(TThread* AThread, TThreadMethod Method)
{
    if (OnMainThread()) {
        Method();
        return;
    }
    ForceQueue(AThread, std::move(Method));
}

void TThread::ForceQueue(TThread* AThread, TThreadMethod Method)
{
    EnsureSyncWindow();
    auto call = std::make_shared<TSyncCall>();
    call->Method = std::move(Method);
    call->Thread = AThread;
    call->Queued = true;
    AddCall(call);
}

void TThread::RemoveQueuedEvents(TThread* AThread)
{
    std::lock_guard<std::mutex> guard(SyncLock);
    std::erase_if(SyncList, [AThread](const std::shared_ptr<TSyncCall>& call) {
        return call->Queued && call->Thread == AThread;
    });
}

bool CheckSynchronize(int Timeout)
{
    if (!OnMainThread())
        throw EThread(L"CheckSynchronize called from a thread that is not the main thread");
    EnsureSyncWindow();
    size_t pending;
    {
        std::lock_guard<std::mutex> guard(SyncLock);
        pending = SyncList.size();
    }
    if (pending == 0 && Timeout > 0) {
        WaitForSingleObject(SyncEvent, static_cast<DWORD>(Timeout));
        std::lock_guard<std::mutex> guard(SyncLock);
        pending = SyncList.size();
    }
    // Only the calls present now: a call that queues another must not keep this loop going.
    bool ran = false;
    for (; pending > 0; --pending) {
        std::shared_ptr<TSyncCall> call;
        {
            std::lock_guard<std::mutex> guard(SyncLock);
            if (SyncList.empty())
                break;
            call = SyncList.front();
            SyncList.pop_front();
        }
        ran = true;
        if (call->Queued) {
            try {
                call->Method();
            } catch (...) {
                // The rest must not wait for a message that will not come.
                bool more;
                {
                    std::lock_guard<std::mutex> guard(SyncLock);
                    more = !SyncList.empty();
                }
                if (more)
                    WakeMainThread();
                throw;
            }
            continue;
        }
        try {
            call->Method();
        } catch (...) {
            call->Error = std::current_exception();
        }
        {
            std::lock_guard<std::mutex> guard(SyncLock);
            call->Done = true;
        }
        SyncDone.notify_all();
    }
    return ran;
}
