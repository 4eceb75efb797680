#pragma once

#include <exception>
#include <string>

// A failed read, write, length query, flush or close of a CFile. Carries the
// cause (one of the fixed causes below), the platform's error number and the
// name of the file concerned (empty where none is known).
class CFileException : public std::exception {
public:
    enum Cause {
        none = 0,
        genericException = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14,
    };

    CFileException() : CFileException(none, 0, {}) {}
    CFileException(int cause, long osError, std::string fileName)
        : m_cause(cause), m_lOsError(osError), m_strFileName(std::move(fileName)) {}

    const char* what() const noexcept override { return "file error"; }

    int m_cause;
    long m_lOsError;
    std::string m_strFileName;
};
