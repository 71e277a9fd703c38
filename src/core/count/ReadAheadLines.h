#pragma once
// The lines of a text file or stream, read and decoded on a second thread while the counting
// thread scans the lines before them. The worker runs TextFileLines itself and hands its lines
// over in batches through a short queue, so that the lines, their parts, the bytes consumed,
// a read error and where it shows are exactly those of TextFileLines, and memory stays
// bounded whatever the file. The worker touches only the reader and objects of its own.

#include "count/TextFileLines.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

namespace qd {

class ReadAheadLines : public FileLineSource {
public:
    // A batch closes once it holds this many characters (and one line more).
    static constexpr size_t kDefaultBatchChars = size_t(1) << 16;

    // Starts reading at once; throws std::system_error when no thread or pipe can be had.
    // The reader is the worker's until this source is destroyed, which stops the worker and
    // waits for it (a read waiting for a stream's bytes included). The encoding and case
    // settings are taken now. Yields before giving each line.
    ReadAheadLines(TextFileReader& reader, const Settings& settings, Yielder& yield,
                   size_t batchChars = kDefaultBatchChars);
    ~ReadAheadLines() override;
    ReadAheadLines(const ReadAheadLines&) = delete;
    ReadAheadLines& operator=(const ReadAheadLines&) = delete;

    // What the worker's decoding threw is thrown here, after the lines before it.
    bool nextLine(ustring& line) override;
    bool lineGoesOn() const override { return goesOn_; }
    int64_t consumed() const override { return consumed_; }
    const ErrorInfo* readError() const override { return failed_ ? &error_ : nullptr; }

private:
    struct Batch;

    // The worker's.
    void work();
    // An empty batch, or null once the source is going; when none is free, waits until
    // wanted are.
    std::unique_ptr<Batch> emptyBatch(size_t wanted);
    void handOver(std::unique_ptr<Batch> batch);
    void beforeWaiting();
    void fill(ustring& scratch);
    // The next full batch in current_, once the worker has one.
    void takeBatch();
    // The error shows once the lines before it are taken.
    void noteReadError();

    TextFileReader& reader_;
    Yielder& yield_;             // the counting thread's
    Yielder workerYield_;        // the worker's, yielding to nothing
    TextFileLines lines_;        // the worker's
    int wakePipe_[2] = {-1, -1}; // written to end a wait for a stream's bytes
    const size_t batchChars_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::unique_ptr<Batch>> full_;  // in file order
    std::deque<std::unique_ptr<Batch>> empty_; // ready to be filled
    bool stopping_ = false;
    size_t workerWants_ = 0;         // empty batches the waiting worker waits for
    std::unique_ptr<Batch> filling_; // the worker's

    // The counting thread's.
    std::unique_ptr<Batch> current_;
    size_t next_ = 0; // the index of the next line of current_
    bool ended_ = false;
    bool goesOn_ = false;
    int64_t consumed_ = 0;
    bool failed_ = false;
    ErrorInfo error_;

    std::thread worker_; // last, started once everything above is ready
};

// Whether a count reads its text ahead on a second thread: for UTF-8 text, whose decoding
// costs about as much as the scan, from a stream or a file large enough that the thread pays
// for itself. Windows-1252 widens so fast that a thread gains no time and costs CPU.
bool ReadAheadPays(int64_t fileSize, bool stream, bool utf8);

// The lines of the reader's text: read ahead when asked and a thread can be had, else on
// this thread.
std::unique_ptr<FileLineSource> MakeFileLines(TextFileReader& reader, const Settings& settings,
                                              Yielder& yield, bool readAhead);

} // namespace qd
