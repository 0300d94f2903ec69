// The few operating-system objects the event notifier needs: auto-reset events, one
// worker thread, and posting a message to a window. On Windows these are the Win32
// objects themselves; elsewhere a small portable equivalent with the same semantics,
// so that the notifier's logic runs under ThreadSanitizer.
#pragma once

#include <cstdint>

#include "base/UniqueHandle.h"

namespace OsSync {

using EventHandle = void*;
using ThreadHandle = void*;
using WindowHandle = void*;

constexpr uint32_t kInfinite = 0xFFFFFFFFu;

// An unnamed auto-reset event, created non-signalled; null on failure.
EventHandle CreateAutoResetEvent();
void CloseEvent(EventHandle event);
bool SignalEvent(EventHandle event);
bool ResetEvent(EventHandle event);

// Consumes the event's signal if it is signalled, without waiting.
bool TryConsumeEvent(EventHandle event);

// Waits without time-out until one of the two is signalled: 0 or 1, or -1 on failure.
int WaitForEither(EventHandle first, EventHandle second);

// Starts entry(argument) on a new thread at once; null when no thread could be started.
ThreadHandle StartThread(unsigned (*entry)(void*), void* argument);

enum class WaitResult { Ended, TimedOut, Failed };
WaitResult WaitForThread(ThreadHandle thread, uint32_t milliseconds);
void CloseThread(ThreadHandle thread);

// Queues a message for the window's thread and returns at once.
bool PostToWindow(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

void SleepMilliseconds(uint32_t milliseconds);

// Move-only owners of one event or thread handle; null is empty.
using CEvent = CUniqueHandle<EventHandle, NullIsEmptyTraits<EventHandle, CloseEvent>>;
using CThread = CUniqueHandle<ThreadHandle, NullIsEmptyTraits<ThreadHandle, CloseThread>>;

}  // namespace OsSync
