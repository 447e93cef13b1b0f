#pragma once

#include <atomic>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

class ISerialization;

// Where a record is being read from: a file name and the number of the line
// the typed line readers took last. A context binds itself to one stream for
// its lifetime (a nested context on the same stream hides the outer one until
// it ends). While bound, every typed line reader on that stream counts its
// line, and every read that fails records "file:line: expected X, found Y".
// Only the first error is kept: it is the cause, later ones are its effects.
//
// Record readers need nothing but the stream: they call the typed readers and,
// for what only they can check (a tag, a range), ReadError(is, ...). Loaders
// bind the context, read, and on failure call Report():
//
//     std::ifstream file(path, std::ios::binary);
//     ReaderContext context(file, path);
//     if (!record.UnSerialize(file)) context.Report();
//
// ReadRecordFile below does exactly that.
class ReaderContext {
public:
    // A quiet context is for a read that only checks a file (is the slot
    // whole?): the parts it skips are not said again each time it is checked.
    ReaderContext(std::istream& is, std::string fileName, bool quiet = false);
    ~ReaderContext();
    ReaderContext(const ReaderContext&) = delete;
    ReaderContext& operator=(const ReaderContext&) = delete;

    // The context bound to `is`, or null.
    static ReaderContext* Of(std::istream& is);
    // Counts every binding and unbinding of a context on any stream: a
    // reader may keep what Of returned for a stream while this stays the same.
    static uint64_t Bindings() { return bindings.load(std::memory_order_acquire); }

    const std::string& GetFileName() const { return fileName; }
    bool IsQuiet() const { return quiet; }
    // The line the last typed read took, counted from 1; 0 before any read.
    // A read past the end names the line the file lacks (its line count + 1).
    int GetLineNumber() const { return lastLine; }
    // "file:line: " for the last line taken, to prefix warnings.
    std::string Where() const;
    // The same for the context bound to `is`; empty without one.
    static std::string WhereOf(std::istream& is);

    bool HasError() const { return !error.empty(); }
    // The first error, "file:line: expected X, found Y"; empty when none.
    const std::string& GetError() const { return error; }
    void ClearError() { error.clear(); }

    // Records an error at the last line taken, unless one is already held.
    void RecordError(std::string_view expected, std::string_view found);
    // Writes the first error (or, when the failing reader recorded none,
    // "file:line: expected a complete record") to the debug output and to
    // stderr, so a damaged file is named even when no console shows it.
    void Report() const;

    // Kept by the typed line readers: a line was taken (or, at the end of the
    // stream, nothing was).
    void LineTaken(bool pastEnd);

private:
    std::istream& stream;
    std::string fileName;
    bool quiet;
    ReaderContext* hidden;
    int linesTaken = 0;
    int lastLine = 0;
    std::string error;
    static std::atomic<uint64_t> bindings;
};

// Records "expected X, found Y" at the line just read on `is` when a context
// is bound to it; without one, says it on the debug output. Returns false, so
// a record reader can write `return ReadError(is, "...", found);`.
bool ReadError(std::istream& is, std::string_view expected, std::string_view found);

// A read whose failure a record does not count (a line the record reads and
// ignores, a value it may lack, a part it drops): made before the read, it
// remembers whether the bound context already held an error. Skipped, called
// when the read failed, names the failed read's line on the debug output
// ("file:line: skipped what: expected X, found Y") and forgets the error that
// read recorded, so that a later failure of the record is named at its own line.
class LenientRead {
public:
    explicit LenientRead(std::istream& is);
    void Skipped(std::string_view what) const;

private:
    std::istream& stream;
    bool hadError;
};

// How a message shows the text of a line: quoted, shortened when long, with
// control bytes escaped.
std::string QuoteFound(std::string_view line);

// The text "the end of the file", for a value the file does not have.
inline constexpr std::string_view kFoundEnd = "the end of the file";
// The text for a file the system failed to read (a disk or network error).
inline constexpr std::string_view kFoundReadError = "a read error";

// Opens `path` (bytes as stored, CR LF kept for the readers), binds a context
// to it and reads `record`. On failure the record's reader leaves the object
// as it was, the error is reported (debug output and stderr) and returned in
// `error` when given. A file that cannot be opened fails the same way.
bool ReadRecordFile(const std::string& path, ISerialization& record, std::string* error = nullptr);
