// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "VekSupport.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// ---- Lists ----------------------------------------------------------------

namespace {

// The header seen as its two sentinel nodes.
VekNode *headSentinel(VekList *list)
{
    return reinterpret_cast<VekNode *>(&list->Head);
}

VekNode *tailSentinel(VekList *list)
{
    return reinterpret_cast<VekNode *>(&list->Tail);
}

} // namespace

void NewList(VekList *list)
{
    list->Head = tailSentinel(list);
    list->Tail = nullptr;
    list->TailPred = headSentinel(list);
}

void AddHead(VekList *list, VekNode *node)
{
    node->Succ = list->Head;
    list->Head = node;
    node->Pred = headSentinel(list);
    node->Succ->Pred = node;
}

void AddTail(VekList *list, VekNode *node)
{
    VekNode *last = list->TailPred;
    last->Succ = node;
    node->Succ = tailSentinel(list);
    node->Pred = last;
    list->TailPred = node;
}

void RemoveNode(VekNode *node)
{
    if (node->Pred)
        node->Pred->Succ = node->Succ;
    if (node->Succ)
        node->Succ->Pred = node->Pred;
}

VekNode *RemHead(VekList *list)
{
    VekNode *first = list->Head;
    if (!first->Succ)
        return nullptr;
    RemoveNode(first);
    return first;
}

VekNode *RemTail(VekList *list)
{
    VekNode *last = list->TailPred;
    if (!last->Pred)
        return nullptr;
    RemoveNode(last);
    return last;
}

VekNode *NodeUp(VekNode *node)
{
    VekNode *before = node->Pred;
    if (!before->Pred)
        return before;
    // before, node  ->  node, before
    VekNode *outer = before->Pred;
    VekNode *after = node->Succ;
    outer->Succ = node;
    node->Pred = outer;
    node->Succ = before;
    before->Pred = node;
    before->Succ = after;
    after->Pred = before;
    return before;
}

VekNode *NodeDown(VekNode *node)
{
    VekNode *after = node->Succ;
    if (!after->Succ)
        return after;
    NodeUp(after);
    return after;
}

VekNode *GetNode(VekList *list, long index)
{
    if (index < 0)
        return nullptr;
    for (VekNode *node = list->Head; node->Succ; node = node->Succ)
        if (index-- == 0)
            return node;
    return nullptr;
}

long GetNodeIndex(VekList *list, VekNode *node)
{
    long index = 0;
    for (VekNode *walk = list->Head; walk->Succ; walk = walk->Succ, ++index)
        if (walk == node)
            return index;
    return index;
}

long CountNodes(VekList *list)
{
    long count = 0;
    for (VekNode *node = list->Head; node->Succ; node = node->Succ)
        ++count;
    return count;
}

int SortList(VekList *list, VekCompare compare)
{
    const long count = CountNodes(list);
    if (count <= 1)
        return 1;
    auto **nodes = static_cast<VekNode **>(std::malloc(size_t(count) * sizeof(VekNode *)));
    if (!nodes)
        return 0;
    for (long i = 0; i < count; ++i)
        nodes[i] = RemHead(list);
    std::qsort(nodes, size_t(count), sizeof(VekNode *), compare);
    for (long i = 0; i < count; ++i)
        AddTail(list, nodes[i]);
    std::free(nodes);
    return 1;
}

// ---- Memory ---------------------------------------------------------------

void *MyAllocMem(size_t size, unsigned flags)
{
    return (flags & VEK_MEMF_CLEAR) ? std::calloc(1, size) : std::malloc(size);
}

void FreeMem(void *block)
{
    std::free(block);
}

// ---- Strings and paths ------------------------------------------------------

void SysTimeToText(const VekSystemTime *time, char *date, char *clock)
{
    // Fields out of their range keep their last digits, so that the texts
    // always fit their buffers; valid times are unchanged by that.
    std::snprintf(date, VEK_DATE_TEXT_SIZE, "%02d-%02d-%04d", time->Day % 100, time->Month % 100, time->Year % 10000);
    std::snprintf(clock, VEK_TIME_TEXT_SIZE, "%02d:%02d:%02d", time->Hour % 100, time->Minute % 100,
                  time->Second % 100);
}

void FPutString(const char *text, FILE *stream)
{
    const size_t length = std::min<size_t>(std::strlen(text), 0xffff);
    const unsigned char prefix[2] = {static_cast<unsigned char>(length & 0xff),
                                     static_cast<unsigned char>(length >> 8)};
    std::fwrite(prefix, 1, 2, stream);
    std::fwrite(text, 1, length, stream);
}

long FGetStringN(char *buffer, size_t size, FILE *stream)
{
    if (size == 0)
        return -1;
    buffer[0] = '\0';
    unsigned char prefix[2];
    if (std::fread(prefix, 1, 2, stream) != 2)
        return -1;
    const size_t length = size_t(prefix[0]) | size_t(prefix[1]) << 8;
    const size_t kept = std::min(length, size - 1);
    const size_t read = std::fread(buffer, 1, kept, stream);
    buffer[read] = '\0';
    if (read != kept)
        return -1;
    // The rest of a record longer than the buffer is read and dropped.
    for (size_t left = length - kept; left > 0; --left)
        if (std::fgetc(stream) == EOF)
            return -1;
    return long(kept);
}

void FGetString(char *buffer, FILE *stream)
{
    FGetStringN(buffer, 0x10000, stream);
}

char *stccpy(char *dest, const char *source, long size)
{
    if (size <= 0)
        return dest;
    std::strncpy(dest, source, size_t(size));
    dest[size - 1] = '\0';
    return dest;
}

void AddPart(char *path, const char *name, long size)
{
    size_t length = std::strlen(path);
    if (length == 0 || size <= 0)
        return;
    if (path[length - 1] != '/') {
        if (long(length) + 2 > size)
            return;
        path[length++] = '/';
        path[length] = '\0';
    }
    stccpy(path + length, name, size - long(length) - 1);
}

// ---- Files ----------------------------------------------------------------

namespace {

bool isDirectory(const char *path)
{
    struct stat info;
    return ::stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

int RecursiveCreateDir(const char *path)
{
    if (!path || !*path)
        return 0;
    if (::mkdir(path, 0777) == 0)
        return 1;
    if (errno == EEXIST)
        return isDirectory(path) ? 1 : 0;
    if (errno != ENOENT)
        return 0;
    std::string parent(path);
    while (parent.size() > 1 && parent.back() == '/')
        parent.pop_back();
    const size_t cut = parent.rfind('/');
    if (cut == std::string::npos || cut == 0)
        return 0;
    parent.resize(cut);
    if (!RecursiveCreateDir(parent.c_str()))
        return 0;
    return (::mkdir(path, 0777) == 0 || (errno == EEXIST && isDirectory(path))) ? 1 : 0;
}

int64_t GetFileSize(const char *name)
{
    struct stat info;
    // Only regular files: opening a pipe or a device could block or never end.
    if (!name || ::stat(name, &info) != 0 || !S_ISREG(info.st_mode))
        return 0;
    const int fd = ::open(name, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return 0;
    ::close(fd);
    return int64_t(info.st_size);
}

int SetFileSize(const char *name, int64_t size)
{
    if (!name)
        return -1;
    const int fd = ::open(name, O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return -1;
    const bool done = size >= 0 && ::ftruncate(fd, off_t(size)) == 0;
    ::close(fd);
    return done ? 1 : 0;
}

// ---- Matching -------------------------------------------------------------

namespace {

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string lowered(std::string_view text)
{
    // The search works on copies of at most 1023 characters.
    std::string copy(text.substr(0, 1023));
    for (char &c : copy)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return copy;
}

int matchOne(std::string_view text, std::string_view pattern, bool floating)
{
    if (pattern.empty())
        return 0;
    const size_t star = pattern.find('*');
    if (star != std::string_view::npos) {
        const std::string_view before = pattern.substr(0, star);
        const std::string_view rest = pattern.substr(star + 1);
        if (!before.empty()) {
            if (floating) {
                const size_t at = lowered(text).find(lowered(before));
                if (at == std::string::npos)
                    return 0;
                text.remove_prefix(at + std::min<size_t>(before.size(), 1023));
            } else {
                if (text.size() < before.size() || !equalIgnoringCase(text.substr(0, before.size()), before))
                    return 0;
                text.remove_prefix(before.size());
            }
        }
        if (text.empty())
            return rest.find_first_not_of('*') == std::string_view::npos ? 1 : 0;
        if (rest.empty())
            return 1;
        return matchOne(text, rest, true);
    }
    if (text.empty())
        return floating ? 1 : 0;
    if (floating) {
        const size_t at = text.find(pattern);
        if (at == std::string_view::npos)
            return 0;
        text.remove_prefix(at);
    }
    return equalIgnoringCase(text, pattern) ? 1 : 0;
}

} // namespace

int MatchStr(const char *text, const char *pattern, int floating)
{
    if (!text || !pattern)
        return 0;
    std::string_view alternatives(pattern);
    for (;;) {
        const size_t semicolon = alternatives.find(';');
        if (matchOne(text, alternatives.substr(0, semicolon), floating != 0))
            return 1;
        if (semicolon == std::string_view::npos)
            return 0;
        alternatives.remove_prefix(semicolon + 1);
    }
}

int IsWinNT(void)
{
    return 0;
}
