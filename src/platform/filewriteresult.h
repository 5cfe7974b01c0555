#pragma once

#include <QString>

// What became of writing a file: done, or the system's description of why it failed.
struct FileWriteResult
{
    bool ok = false;
    QString error;

    static FileWriteResult done() { return {true, {}}; }
    static FileWriteResult failed(const QString &description) { return {false, description}; }
    explicit operator bool() const { return ok; }
};
