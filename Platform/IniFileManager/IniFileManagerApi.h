#pragma once
/*
 * The settings-file library, libIniFileManager.so: reads and writes the program's
 * INI settings files through 15 entry points with C linkage, which the program
 * looks up by name after loading the library by its full path.
 *
 * Text: every string crossing these calls is zero-terminated UTF-8. Keys, names and
 * values must be well-formed UTF-8 on one line (no control character but tab);
 * anything else is refused with IniFileResultInvalidArgument.
 *
 * Files: UTF-8 INI text of at most 1 MiB: sections "[Name]", "key=value" entries,
 * comments (";" or "#" first) and blank lines. Comments, blank lines, the spacing of
 * unchanged lines and every key and section the caller never touches are kept when
 * the file is written. A file that is not such text (invalid UTF-8, a line of
 * another kind, a control character, more than 1 MiB) is refused at open and never
 * overwritten. "\" in a file path is read as "/".
 *
 * Writing: every change is written to disk at once, through "<file>.tmp" in the same
 * folder, flushed and renamed over the file, so a crash or a full disk leaves the old
 * or the new file whole. The folder must exist. A failed write keeps the change in
 * memory and answers IniFileResultFileError; the next change, WriteIniFile or
 * CloseIniFile with writeUnsavedChanges tries again.
 *
 * Keys: "Name" is a key before the first section header, "Section/Name" a key of
 * [Section]; everything before the last "/" is the section, so "Window/Main/Width" is
 * key "Width" of [Window/Main]. A node path names a section ("" the keys before the
 * first header). Names compare byte for byte. An array "Section/Recent" is kept as the
 * unbroken run of keys "Recent[0]", "Recent[1]", ... of [Section]; these are keys like
 * any other for the key calls.
 *
 * String reads (GetIniValueStr, GetKeyNameAt, GetArrayItemAt) copy the text and its
 * terminating zero into buffer, never writing beyond bufferSize bytes, and set
 * *neededSize (when given) to the text's length plus one. When bufferSize is smaller
 * than that, they answer IniFileResultBufferTooSmall with the buffer holding the
 * empty string; the caller calls again with a buffer of *neededSize bytes. buffer may
 * be null only with bufferSize 0. On any failure the buffer holds the empty string.
 *
 * Threads: every entry point may be called from any thread at any time, on the same
 * or different handles; one lock inside the library serialises the calls, file
 * writes included. A handle closed on one thread answers IniFileResultUnknownHandle on
 * every thread afterwards. Unsaved changes of handles still open when the library is
 * unloaded are lost.
 */
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define INI_FILE_MANAGER_API __attribute__((visibility("default")))

/* Identifies an open file; positive, and 0 means no file. */
typedef int32_t IniFileHandle;

/* The entry points' results. Calls may also answer 0x8007000E (out of memory) or
 * 0x80004005 (unexpected failure). */
enum IniFileResult {
  IniFileResultOk = 0,
  IniFileResultDefaultUsed = 1,        /* a read found no such value: the default was given */
  IniFileResultUnchanged = 1,          /* a change left everything as it was: nothing written */
  IniFileResultInvalidArgument = -1,   /* null pointer, bad name or text, bad count, file too large */
  IniFileResultBufferTooSmall = -2,    /* see String reads */
  IniFileResultUnknownHandle = -3,     /* the handle is not open */
  IniFileResultIndexOutOfRange = -4,   /* no key or array item at that index */
  IniFileResultFileError = -5          /* the file cannot be read, parsed or written */
};

/* Opens the file, or finds it already open: the same path gives the same handle and
 * must be closed as often as it was opened. A missing file is fine: it starts empty,
 * headed by a comment naming productName and settingsVersion, and is created by the
 * first change. *handle is set to 0 first and to the handle on success. */
INI_FILE_MANAGER_API int32_t OpenIniFile(const char* filePath, const char* settingsVersion,
                                         const char* productName, IniFileHandle* handle);
/* Writes the file now, even when nothing changed. */
INI_FILE_MANAGER_API int32_t WriteIniFile(IniFileHandle handle);
/* Counts one closing; the last one forgets the handle. A non-zero writeUnsavedChanges
 * first writes a file whose last write failed; the handle is closed even when that
 * write fails. */
INI_FILE_MANAGER_API int32_t CloseIniFile(IniFileHandle handle, int32_t writeUnsavedChanges);
/* Non-zero when the node path names the root (""), a section, a section with
 * sections below it ("A" for [A/B]), or an existing key. */
INI_FILE_MANAGER_API uint8_t DoesNodeExist(IniFileHandle handle, const char* nodePath);

/* *value is set to defaultValue first, and to the key's value when that is a decimal
 * 32-bit integer (IniFileResultOk); otherwise IniFileResultDefaultUsed. */
INI_FILE_MANAGER_API int32_t GetIniValueInt(IniFileHandle handle, const char* key, int32_t defaultValue,
                                            int32_t* value);
INI_FILE_MANAGER_API int32_t SetIniValueInt(IniFileHandle handle, const char* key, int32_t value);
/* The key's text (IniFileResultOk) or, when there is none, defaultText (which may be
 * null for "") with IniFileResultDefaultUsed; see String reads. */
INI_FILE_MANAGER_API int32_t GetIniValueStr(IniFileHandle handle, const char* key, const char* defaultText,
                                            char* buffer, uint32_t bufferSize, uint32_t* neededSize);
INI_FILE_MANAGER_API int32_t SetIniValueStr(IniFileHandle handle, const char* key, const char* text);

/* The number of distinct keys of the node (0 for a missing node); *count is set to 0 first. */
INI_FILE_MANAGER_API int32_t GetKeyCount(IniFileHandle handle, const char* nodePath, int32_t* count);
/* The name of the node's key at index, in file order; see String reads. */
INI_FILE_MANAGER_API int32_t GetKeyNameAt(IniFileHandle handle, const char* nodePath, int32_t index,
                                          char* buffer, uint32_t bufferSize, uint32_t* neededSize);

/* Arrays hold at most 4096 items. *count is set to 0 first. */
INI_FILE_MANAGER_API int32_t GetArrayCount(IniFileHandle handle, const char* key, int32_t* count);
/* Keeps the first count items and adds empty ones up to count. */
INI_FILE_MANAGER_API int32_t SetArrayCount(IniFileHandle handle, const char* key, int32_t count);
INI_FILE_MANAGER_API int32_t GetArrayItemAt(IniFileHandle handle, const char* key, int32_t index,
                                            char* buffer, uint32_t bufferSize, uint32_t* neededSize);
/* index may equal the count, which appends an item. */
INI_FILE_MANAGER_API int32_t SetArrayItemAt(IniFileHandle handle, const char* key, int32_t index,
                                            const char* text);
/* Removes the item and moves the later items down by one. */
INI_FILE_MANAGER_API int32_t RemoveArrayItemAt(IniFileHandle handle, const char* key, int32_t index);

/* The entry points' types, for a caller that looks them up by name. */
typedef int32_t (*OpenIniFileFunction)(const char*, const char*, const char*, IniFileHandle*);
typedef int32_t (*WriteIniFileFunction)(IniFileHandle);
typedef int32_t (*CloseIniFileFunction)(IniFileHandle, int32_t);
typedef uint8_t (*DoesNodeExistFunction)(IniFileHandle, const char*);
typedef int32_t (*GetIniValueIntFunction)(IniFileHandle, const char*, int32_t, int32_t*);
typedef int32_t (*SetIniValueIntFunction)(IniFileHandle, const char*, int32_t);
typedef int32_t (*GetIniValueStrFunction)(IniFileHandle, const char*, const char*, char*, uint32_t, uint32_t*);
typedef int32_t (*SetIniValueStrFunction)(IniFileHandle, const char*, const char*);
typedef int32_t (*GetKeyCountFunction)(IniFileHandle, const char*, int32_t*);
typedef int32_t (*GetKeyNameAtFunction)(IniFileHandle, const char*, int32_t, char*, uint32_t, uint32_t*);
typedef int32_t (*GetArrayCountFunction)(IniFileHandle, const char*, int32_t*);
typedef int32_t (*SetArrayCountFunction)(IniFileHandle, const char*, int32_t);
typedef int32_t (*GetArrayItemAtFunction)(IniFileHandle, const char*, int32_t, char*, uint32_t, uint32_t*);
typedef int32_t (*SetArrayItemAtFunction)(IniFileHandle, const char*, int32_t, const char*);
typedef int32_t (*RemoveArrayItemAtFunction)(IniFileHandle, const char*, int32_t);

#ifdef __cplusplus
}  /* extern "C" */
#endif
