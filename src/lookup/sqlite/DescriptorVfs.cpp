// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/sqlite/DescriptorVfs.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kvel {

namespace {

constexpr char kDescriptorPrefix[] = "/proc/self/fd/";

// SQLite's lock bytes, as every other process reading or writing the file uses them.
constexpr off_t kPendingByte = 0x40000000;
constexpr off_t kSharedFirst = kPendingByte + 2;
constexpr off_t kSharedSize = 510;

struct DescriptorFile
{
    sqlite3_file base;
    int descriptor;
    int lock;
};

DescriptorFile& fileOf(sqlite3_file* file)
{
    return *reinterpret_cast<DescriptorFile*>(file);
}

bool setLock(int descriptor, short type, off_t start, off_t length)
{
    struct flock lock
    {
    };
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = start;
    lock.l_len = length;
    return ::fcntl(descriptor, F_OFD_SETLK, &lock) == 0;
}

int closeFile(sqlite3_file* file)
{
    ::close(fileOf(file).descriptor);
    return SQLITE_OK;
}

// A database in write-ahead-log mode is read as the file holds it, as one in
// rollback mode would be: the log is never opened (this access opens nothing
// by name), and what a writer closed cleanly has been copied into the file.
void readAsRollbackMode(char* bytes, int amount, sqlite3_int64 offset)
{
    constexpr sqlite3_int64 kFormatVersions = 18; // write and read version in the header
    if (offset > kFormatVersions || offset + amount < kFormatVersions + 2)
        return;
    char* versions = bytes + (kFormatVersions - offset);
    if (versions[0] == 2 && versions[1] == 2)
        versions[0] = versions[1] = 1;
}

int readFile(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset)
{
    auto* bytes = static_cast<char*>(buffer);
    int done = 0;
    while (done < amount) {
        const ssize_t got = ::pread(fileOf(file).descriptor, bytes + done,
                                    std::size_t(amount - done), offset + done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return SQLITE_IOERR_READ;
        if (got == 0)
            break;
        done += int(got);
    }
    if (done == amount) {
        readAsRollbackMode(bytes, amount, offset);
        return SQLITE_OK;
    }
    std::memset(bytes + done, 0, std::size_t(amount - done));
    return SQLITE_IOERR_SHORT_READ;
}

int refuseWrite(sqlite3_file*, const void*, int, sqlite3_int64)
{
    return SQLITE_READONLY;
}

int refuseTruncate(sqlite3_file*, sqlite3_int64)
{
    return SQLITE_READONLY;
}

int syncNothing(sqlite3_file*, int)
{
    return SQLITE_OK;
}

int fileSize(sqlite3_file* file, sqlite3_int64* size)
{
    struct stat info
    {
    };
    if (::fstat(fileOf(file).descriptor, &info) != 0)
        return SQLITE_IOERR_FSTAT;
    *size = info.st_size;
    return SQLITE_OK;
}

// Only the shared lock a reader needs, taken the way SQLite takes it: through
// the pending byte, so that a writer waiting for its exclusive lock goes first.
int lockFile(sqlite3_file* file, int level)
{
    DescriptorFile& self = fileOf(file);
    if (level != SQLITE_LOCK_SHARED)
        return level <= self.lock ? SQLITE_OK : SQLITE_BUSY;
    if (self.lock >= SQLITE_LOCK_SHARED)
        return SQLITE_OK;
    if (!setLock(self.descriptor, F_RDLCK, kPendingByte, 1))
        return SQLITE_BUSY;
    const bool shared = setLock(self.descriptor, F_RDLCK, kSharedFirst, kSharedSize);
    setLock(self.descriptor, F_UNLCK, kPendingByte, 1);
    if (!shared)
        return SQLITE_BUSY;
    self.lock = SQLITE_LOCK_SHARED;
    return SQLITE_OK;
}

int unlockFile(sqlite3_file* file, int level)
{
    DescriptorFile& self = fileOf(file);
    if (level == SQLITE_LOCK_NONE && self.lock != SQLITE_LOCK_NONE) {
        setLock(self.descriptor, F_UNLCK, kSharedFirst, kSharedSize);
        self.lock = SQLITE_LOCK_NONE;
    }
    return SQLITE_OK;
}

int noReservedLock(sqlite3_file*, int* reserved)
{
    *reserved = 0;
    return SQLITE_OK;
}

int noFileControls(sqlite3_file*, int, void*)
{
    return SQLITE_NOTFOUND;
}

int sectorSize(sqlite3_file*)
{
    return 4096;
}

int noDeviceCharacteristics(sqlite3_file*)
{
    return 0;
}

const sqlite3_io_methods kDescriptorMethods = {
    .iVersion = 1,
    .xClose = closeFile,
    .xRead = readFile,
    .xWrite = refuseWrite,
    .xTruncate = refuseTruncate,
    .xSync = syncNothing,
    .xFileSize = fileSize,
    .xLock = lockFile,
    .xUnlock = unlockFile,
    .xCheckReservedLock = noReservedLock,
    .xFileControl = noFileControls,
    .xSectorSize = sectorSize,
    .xDeviceCharacteristics = noDeviceCharacteristics,
    .xShmMap = nullptr,
    .xShmLock = nullptr,
    .xShmBarrier = nullptr,
    .xShmUnmap = nullptr,
    .xFetch = nullptr,
    .xUnfetch = nullptr,
};

sqlite3_vfs* systemVfs()
{
    static sqlite3_vfs* const system = sqlite3_vfs_find(nullptr);
    return system;
}

// The main database is the descriptor named; temporary files (which have no
// name) are SQLite's own; nothing else is opened.
int openFile(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags, int* outFlags)
{
    file->pMethods = nullptr;
    if (!name)
        return systemVfs()->xOpen(systemVfs(), name, file, flags, outFlags);
    if (!(flags & SQLITE_OPEN_MAIN_DB) || !(flags & SQLITE_OPEN_READONLY) ||
        std::strncmp(name, kDescriptorPrefix, sizeof kDescriptorPrefix - 1) != 0)
        return SQLITE_CANTOPEN;
    char* end = nullptr;
    const long number = std::strtol(name + sizeof kDescriptorPrefix - 1, &end, 10);
    if (*end != '\0' || number < 0 || number > INT_MAX)
        return SQLITE_CANTOPEN;
    const int descriptor = ::fcntl(int(number), F_DUPFD_CLOEXEC, 3);
    if (descriptor < 0)
        return SQLITE_CANTOPEN;
    DescriptorFile& self = fileOf(file);
    self.descriptor = descriptor;
    self.lock = SQLITE_LOCK_NONE;
    file->pMethods = &kDescriptorMethods;
    if (outFlags)
        *outFlags = flags;
    return SQLITE_OK;
}

int refuseDelete(sqlite3_vfs*, const char*, int)
{
    return SQLITE_IOERR_DELETE;
}

// No journal or log beside the file is ever looked at: names made from a
// descriptor's number could point anywhere.
int nothingExists(sqlite3_vfs*, const char*, int, int* result)
{
    *result = 0;
    return SQLITE_OK;
}

int fullPathnameAsGiven(sqlite3_vfs*, const char* name, int size, char* out)
{
    const std::size_t length = std::strlen(name);
    if (length >= std::size_t(size))
        return SQLITE_CANTOPEN;
    std::memcpy(out, name, length + 1);
    return SQLITE_OK;
}

} // namespace

const char* descriptorVfsName()
{
    static const char* const name = [] {
        static sqlite3_vfs vfs = *systemVfs();
        vfs.iVersion = 2;
        vfs.szOsFile = std::max(int(sizeof(DescriptorFile)), systemVfs()->szOsFile);
        vfs.zName = "kvel-descriptor";
        vfs.xOpen = openFile;
        vfs.xDelete = refuseDelete;
        vfs.xAccess = nothingExists;
        vfs.xFullPathname = fullPathnameAsGiven;
        sqlite3_vfs_register(&vfs, 0);
        return vfs.zName;
    }();
    return name;
}

} // namespace kvel
