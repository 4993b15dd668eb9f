#pragma once

// A failure of the file system, classified by what the caller can tell the
// user. The system error number is kept for diagnostics.

#include <string>

namespace bastara::jet {

enum class IoErrorKind {
    AlreadyExists, // the target name is taken (file, folder or link)
    NoSuchFolder, // the folder part does not exist or is not a folder
    InvalidName, // the file name part is empty, "." / "..", or too long
    PermissionDenied,
    DiskFull,
    FileMissing, // our own file is gone from its path
    NotOurFile, // the path now names something this process did not write
    Other,
};

struct IoError {
    IoErrorKind kind;
    int systemError = 0; // errno, 0 when the failure is not a system call's
    std::string path; // the path the failure concerns, UTF-8 as the system gives it
};

// The kind a failed system call's errno falls under.
IoErrorKind classifySystemError(int errorNumber);

} // namespace bastara::jet
