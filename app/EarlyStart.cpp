// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "EarlyStart.h"

#include <climits>

#include <dlfcn.h>
#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

static_assert(sizeof(std::atomic<uint32_t>) == sizeof(uint32_t), "the futex word is the atomic itself");

uint32_t *FutexWord(std::atomic<uint32_t> &word)
{
    return reinterpret_cast<uint32_t *>(&word);
}

// Made before any constructor runs: the entry hook uses it first.
constinit EarlyThread ProgramThread;

} // namespace

void ReadFontConfiguration()
{
    // The library is loaded as a dependency of Qt's GUI module, so it is
    // looked up, not linked: without it there is nothing to do.
    using InitFunction = int (*)();
    if (auto init = reinterpret_cast<InitFunction>(dlsym(RTLD_DEFAULT, "FcInit")))
        init();
}

EarlyThread &EarlyThread::Program()
{
    return ProgramThread;
}

bool EarlyThread::Begin(char **envp)
{
    // The C library sets environ to this same array just before main; the
    // font configuration already reads it (FONTCONFIG_FILE, HOME, XDG_*).
    if (!environ && envp)
        environ = envp;
    if (Started.exchange(true, std::memory_order_acq_rel))
        return false;
    if (pthread_create(&Thread, nullptr, &EarlyThread::Run, this) != 0) {
        Started.store(false, std::memory_order_release);
        return false;
    }
    return true;
}

void *EarlyThread::Run(void *self)
{
    auto *thread = static_cast<EarlyThread *>(self);
    ReadFontConfiguration();
    thread->Fonts.store(true, std::memory_order_release);
    while (thread->Posted.load(std::memory_order_acquire) == 0)
        syscall(SYS_futex, FutexWord(thread->Posted), FUTEX_WAIT_PRIVATE, 0, nullptr, nullptr, 0);
    // Handed over from main: C++ and Qt are ready by now.
    if (thread->Next)
        thread->Next(thread->Argument);
    return nullptr;
}

void EarlyThread::Post(Work work, void *argument)
{
    Next = work;
    Argument = argument;
    Posted.store(1, std::memory_order_release);
    syscall(SYS_futex, FutexWord(Posted), FUTEX_WAKE_PRIVATE, INT_MAX, nullptr, nullptr, 0);
}

bool EarlyThread::Continue(Work work, void *argument)
{
    if (!Started.load(std::memory_order_acquire) || HandedOver.exchange(true, std::memory_order_acq_rel))
        return false;
    Post(work, argument);
    return true;
}

void EarlyThread::Join()
{
    if (!Started.load(std::memory_order_acquire) || Joined)
        return;
    if (!HandedOver.exchange(true, std::memory_order_acq_rel))
        Post(nullptr, nullptr);
    pthread_join(Thread, nullptr);
    Joined = true;
}
