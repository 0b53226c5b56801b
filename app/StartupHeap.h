// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// The main thread's heap during the start. Fresh heap memory is handed out by
// the kernel one page fault per 4 KiB page as it is first touched, which on a
// virtual machine costs several microseconds a page: the 2 MiB or so the
// window and its first frame take from the heap came to about 3 ms. Making
// that memory present in one call costs a fraction of it.
namespace StartupHeap {

// Grows the heap by at least bytes and makes that memory present. Until
// Settle, blocks of up to 16 MiB (the window's backing store among them) come
// from the heap rather than from mappings of their own, and free memory at the
// heap's top is kept. Call it on the main thread first thing (a thread started
// just before does not matter: other threads take their memory elsewhere).
// Returns whether the memory was made present; when the kernel cannot
// (before Linux 5.14), pages are faulted in as they are used, as always.
bool Ready(size_t bytes);

// Memory made present still costs a few microseconds a page when it is first
// touched: the hypervisor maps it then. A read from any thread of the process
// pays that, so a second thread reads one byte of each page of the top
// `bytes` of what Ready prepared, the part the main thread writes last (the
// window's backing store), while the main thread builds the window. Must end
// before Settle is called. Does nothing when Ready prepared nothing.
void TouchAhead(size_t bytes);

// Puts back the usual limits, once the first frame is up: free memory at the
// heap's top goes back to the system again and large blocks get mappings of
// their own.
void Settle();

} // namespace StartupHeap
