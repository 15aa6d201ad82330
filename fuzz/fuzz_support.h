// What every fuzz target shares: a scratch folder for parsers that read
// files, a quiet Qt, a QGuiApplication where documents need fonts, a reader
// that splits one input into parts, and the way to report a broken rule.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace tavel::fuzz {

// Silences Qt's warnings (they would cost more than the parsing). Called once
// by each target before its first input.
void setUp();
// A QGuiApplication on the offscreen platform, made on the first call.
void ensureGuiApplication();

// The run's own folder (under /dev/shm when there is one), removed at exit.
const QString& scratchFolder();
// Writes the bytes to `relative` inside the scratch folder (folders on the
// way are made) and returns its path.
QString scratchFile(const QString& relative, QByteArrayView bytes);
// The start of a target that reads one file: setUp(), then the whole input
// written to `relative` in the scratch folder; returns its path.
QString inputFile(const QString& relative, const uint8_t* data, size_t size);

// Stops the run as a crash that libFuzzer records with its input.
[[noreturn]] void broken(const char* rule);

// Takes an input apart front to back; past its end every take is empty.
class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(reinterpret_cast<const char*>(data)), size_(size) {}

    uint8_t byte();
    // The next `count` bytes (fewer at the end).
    QByteArray bytes(size_t count);
    // A part whose length is the next byte (0 to 255).
    QByteArray part() { return bytes(byte()); }
    QByteArray rest() { return bytes(size_ - at_); }
    bool empty() const { return at_ >= size_; }

private:
    const char* data_;
    size_t size_;
    size_t at_ = 0;
};

} // namespace tavel::fuzz
