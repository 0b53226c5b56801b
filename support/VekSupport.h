// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VEKSUPPORT_H
#define VEKSUPPORT_H

/* VekSupport: general helpers for programs that load it. Lists with a
 * sentinel header, memory, length-prefixed strings on streams, bounded string
 * copy and path joining, directories, file sizes, a date and time formatter, a
 * wildcard matcher, a folder chooser, file-type registration, the per-user
 * registry store, tool-bar layouts and desktop shortcuts. Every function is
 * exported by its plain name and keeps no state between calls. */

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>

#if defined(VEKSUPPORT_BUILDING)
#define VEKSUPPORT_API __attribute__((visibility("default")))
#else
#define VEKSUPPORT_API
#endif

#ifdef __cplusplus
class QWidget;
class QMainWindow;
typedef QWidget VekWindow;
typedef QMainWindow VekCoolBar;
extern "C" {
#else
typedef struct VekWindow VekWindow;
typedef struct VekCoolBar VekCoolBar;
#endif

/* ---- Lists --------------------------------------------------------------
 * A node stands at the start of any record the caller links; nodes belong to
 * the caller and the list functions never allocate or free them. The header
 * is two overlapping sentinel nodes: (Head, Tail) before the first node and
 * (Tail, TailPred) after the last, so the field order matters. */
typedef struct VekNode {
    struct VekNode *Succ; /* next node; the header's Tail for the last node */
    struct VekNode *Pred; /* previous node; the header for the first node */
} VekNode;

typedef struct VekList {
    VekNode *Head;     /* first node, or &Tail when empty */
    VekNode *Tail;     /* always null */
    VekNode *TailPred; /* last node, or the header itself when empty */
} VekList;

typedef int (*VekCompare)(const void *a, const void *b);

VEKSUPPORT_API void NewList(VekList *list);
VEKSUPPORT_API void AddHead(VekList *list, VekNode *node);
VEKSUPPORT_API void AddTail(VekList *list, VekNode *node);
VEKSUPPORT_API void RemoveNode(VekNode *node);
VEKSUPPORT_API VekNode *RemHead(VekList *list);
VEKSUPPORT_API VekNode *RemTail(VekList *list);
/* Moves the node one place towards the head (tail) unless it is first (last)
 * and returns the node that was before (after) it: for the first (last) node
 * that is the head (tail) sentinel. */
VEKSUPPORT_API VekNode *NodeUp(VekNode *node);
VEKSUPPORT_API VekNode *NodeDown(VekNode *node);
/* The node at a 0-based index, or null when index is out of range. */
VEKSUPPORT_API VekNode *GetNode(VekList *list, long index);
/* The 0-based index of the node, or the node count when it is not there. */
VEKSUPPORT_API long GetNodeIndex(VekList *list, VekNode *node);
VEKSUPPORT_API long CountNodes(VekList *list);
/* Sorts with qsort: the comparison receives pointers to two array elements,
 * that is VekNode ** each. Not stable. 1 on success, 0 when memory ran out
 * (the list is then unchanged). */
VEKSUPPORT_API int SortList(VekList *list, VekCompare compare);

/* ---- Memory ---------------------------------------------------------- */
#define VEK_MEMF_CLEAR 1u
/* A new block (filled with zeros when bit 0 of flags is set), or null. */
VEKSUPPORT_API void *MyAllocMem(size_t size, unsigned flags);
VEKSUPPORT_API void FreeMem(void *block);

/* ---- Strings and paths ------------------------------------------------- */
typedef struct VekSystemTime {
    uint16_t Year;
    uint16_t Month;
    uint16_t DayOfWeek;
    uint16_t Day;
    uint16_t Hour;
    uint16_t Minute;
    uint16_t Second;
    uint16_t Milliseconds;
} VekSystemTime;

#define VEK_DATE_TEXT_SIZE 11 /* "dd-mm-yyyy" and its zero */
#define VEK_TIME_TEXT_SIZE 9  /* "hh:mm:ss" and its zero */
/* "07-12-2026" and "14:05:09" into buffers of the sizes above. A field out
 * of its range keeps only its last two (the year its last four) digits. */
VEKSUPPORT_API void SysTimeToText(const VekSystemTime *time, char *date, char *clock);

/* A string on a stream: its length as a 16-bit little-endian number, then its
 * bytes, no terminator. Texts longer than 65535 bytes are cut there. */
VEKSUPPORT_API void FPutString(const char *text, FILE *stream);
/* Reads one string and stores a zero after it. The buffer must hold the
 * string and its zero: 65536 bytes always suffice. */
VEKSUPPORT_API void FGetString(char *buffer, FILE *stream);
/* The same into a buffer of size bytes: the string is cut to size - 1 bytes,
 * but the whole record is consumed. Returns the length stored, or -1 when the
 * stream ended before the record did (the buffer then holds what was read). */
VEKSUPPORT_API long FGetStringN(char *buffer, size_t size, FILE *stream);

/* Copies at most size - 1 characters and always ends dest with a zero;
 * a size of 0 or less leaves dest alone. Returns dest. */
VEKSUPPORT_API char *stccpy(char *dest, const char *source, long size);
/* Appends "/" (unless the path ends with one) and the name, within a buffer of
 * size bytes. An empty path, or one with no room for the separator, is left
 * alone. */
VEKSUPPORT_API void AddPart(char *path, const char *name, long size);

/* ---- Files ------------------------------------------------------------- */
/* Creates the directory and any missing parents; an existing directory
 * counts as success. Nonzero on success. */
VEKSUPPORT_API int RecursiveCreateDir(const char *path);
/* The size of a regular file; 0 when it cannot be opened. */
VEKSUPPORT_API int64_t GetFileSize(const char *name);
/* Sets the size of an existing file: -1 when it cannot be opened, 0 when the
 * size could not be set, else 1. */
VEKSUPPORT_API int SetFileSize(const char *name, int64_t size);

/* ---- Matching ---------------------------------------------------------- *
 * Patterns are ";"-separated alternatives with "*" for any run of characters.
 * The part before a "*" is compared ignoring case; a literal after the last
 * "*" is looked for with case at its first occurrence and must end the text.
 * Pass 0 as floating. The pattern is never written to. */
VEKSUPPORT_API int MatchStr(const char *text, const char *pattern, int floating);

/* ---- Desktop ----------------------------------------------------------- */
/* Always 0 on this platform. */
VEKSUPPORT_API int IsWinNT(void);

#define VEK_ASK_DIRECTORY_SIZE 260
/* Shows the folder dialog; writes the chosen folder's path (file-system
 * bytes) when it fits the 260-byte buffer. 1 when a folder was written. */
VEKSUPPORT_API int AskDirectory(VekWindow *owner, char *path);

/* Makes the program the opener of *.extension for the current user: a MIME
 * type, a hidden desktop entry and the default application. Writes nothing
 * when everything is already so. */
VEKSUPPORT_API void RegisterExt(const char *extension, const char *program, const char *icon);

/* Deletes a key of the per-user registry store with all it holds. An empty
 * key is refused. */
VEKSUPPORT_API void RecursiveDeleteKey(const char *key);
/* The window's tool bars in layout order are bands 0, 1, ...: band i is kept
 * under key\CoolBar<i> as "Break" (it starts a new row) and "Width". */
VEKSUPPORT_API void WS_RegSaveCoolBarStatus(const char *key, VekCoolBar *bar);
VEKSUPPORT_API void WS_RegLoadCoolBarStatus(const char *key, VekCoolBar *bar);

/* Folders a shortcut may live in. */
#define VEK_FOLDER_DESKTOP 0x0000          /* the user's desktop folder */
#define VEK_FOLDER_PROGRAMS 0x0002         /* the applications menu */
#define VEK_FOLDER_STARTUP 0x0007          /* programs started at log-in */
#define VEK_FOLDER_DESKTOPDIRECTORY 0x0010 /* the desktop folder too */
#define VEK_SHORTCUT_PATH_SIZE 4096

/* Finds the shortcut called name in the folder (by its Name= or file name)
 * or, with create set, writes a new one that starts target with arguments.
 * The path goes into shortcut (VEK_SHORTCUT_PATH_SIZE bytes) and is returned;
 * it is empty when there is none, or for an unknown folder. *link, when
 * given, is set to null: no link object is handed out here. Failures are
 * raised as std::runtime_error with the reason (C++ callers only). */
VEKSUPPORT_API char *CheckShortcut(VekWindow *owner, const char *target, const char *arguments, char *shortcut,
                                   void **link, int create, int folder, const char *name, int iconIndex,
                                   const char *iconPath);

#ifdef __cplusplus
}
#endif

#endif
