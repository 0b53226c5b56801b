// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// Card pictures come and go in batches of 57 of one size: a deck load decodes
// 57 while the previous 57 are still alive, a card-size change scales 57 new
// display bitmaps and lets the old ones go. Fresh memory of those sizes comes
// straight from the kernel and costs a page fault per 4 KiB on first touch,
// which more than doubled the cost of both. Large pictures are therefore
// carved out of slabs backed by 2 MiB pages, and released picture buffers are
// kept (up to a bound) and handed to the next picture of the same size.
namespace VekPixels {

// A 32-bit image (QImage::Format_RGB32, contents undefined) over a pooled
// buffer; its buffer returns to the pool when the last copy of the image goes.
// Null for an empty size or when memory is short.
QImage NewImage32(int w, int h);

// Makes ready the memory for the next large picture of up to bytes, on a
// thread that has time for it: a slab is mapped now if the current one has too
// little room left, and each page of the room is read once. Memory made
// present still costs a few microseconds a page when first touched on a
// virtual machine (the hypervisor maps it then), whichever thread touches it;
// at start the worker thread pays that for the table's back buffer, which the
// main thread draws into first thing.
void Reserve(size_t bytes);

} // namespace VekPixels
