#include "count/ReadAheadLines.h"

#include <cerrno>
#include <exception>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace qd {

namespace {

// Enough for the worker to fill one batch while the counting thread scans another and a
// third waits, whatever their pace.
constexpr size_t kBatches = 4;

constexpr int64_t kReadAheadMinBytes = 256 * 1024;

constexpr size_t kNoError = size_t(-1);

} // namespace

// Lines one after another in one string, each line's end noted.
struct ReadAheadLines::Batch {
    struct Line {
        size_t end;
        int64_t consumed;
        bool goesOn;
    };
    ustring text;
    std::vector<Line> lines;
    bool last = false;            // no line follows this batch
    size_t errorAfter = kNoError; // how many of its lines come before the read error
    ErrorInfo error;
    std::exception_ptr thrown; // ends the lines after the last one

    void clear() {
        text.clear();
        lines.clear();
        last = false;
        errorAfter = kNoError;
        thrown = nullptr;
    }
};

ReadAheadLines::ReadAheadLines(TextFileReader& reader, const Settings& settings, Yielder& yield,
                               size_t batchChars)
    : reader_(reader), yield_(yield), lines_(reader, settings, workerYield_),
      batchChars_(batchChars) {
    for (size_t i = 0; i < kBatches; ++i)
        empty_.push_back(std::make_unique<Batch>());
    if (::pipe2(wakePipe_, O_CLOEXEC) != 0)
        throw std::system_error(errno, std::generic_category(), "pipe2");
    reader_.setWakeFd(wakePipe_[0], [this] { beforeWaiting(); });
    try {
        worker_ = std::thread([this] { work(); });
    } catch (...) {
        reader_.setWakeFd(-1);
        ::close(wakePipe_[0]);
        ::close(wakePipe_[1]);
        throw;
    }
}

ReadAheadLines::~ReadAheadLines() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    const char byte = 0;
    while (::write(wakePipe_[1], &byte, 1) < 0 && errno == EINTR) {
    }
    worker_.join();
    reader_.setWakeFd(-1);
    ::close(wakePipe_[0]);
    ::close(wakePipe_[1]);
}

void ReadAheadLines::work() {
    ustring scratch;
    // Woken for two batches at a time, not one, the worker and the counting thread take
    // turns half as often.
    while ((filling_ = emptyBatch(kBatches / 2))) {
        fill(scratch);
        const bool last = filling_->last;
        handOver(std::move(filling_));
        if (last) return;
    }
}

std::unique_ptr<ReadAheadLines::Batch> ReadAheadLines::emptyBatch(size_t wanted) {
    std::unique_lock lock(mutex_);
    if (empty_.empty()) {
        workerWants_ = wanted;
        changed_.wait(lock, [&] { return stopping_ || empty_.size() >= wanted; });
        workerWants_ = 0;
    }
    if (stopping_) return nullptr;
    std::unique_ptr<Batch> batch = std::move(empty_.front());
    empty_.pop_front();
    batch->clear();
    return batch;
}

void ReadAheadLines::handOver(std::unique_ptr<Batch> batch) {
    {
        std::lock_guard lock(mutex_);
        full_.push_back(std::move(batch));
    }
    changed_.notify_all();
}

void ReadAheadLines::beforeWaiting() {
    // The lines read so far must not wait with the worker for the stream's next bytes.
    if (filling_->lines.empty()) return;
    if (std::unique_ptr<Batch> next = emptyBatch(1)) {
        handOver(std::move(filling_));
        filling_ = std::move(next);
    }
}

void ReadAheadLines::fill(ustring& scratch) {
    auto noteError = [this] {
        Batch& batch = *filling_;
        if (batch.errorAfter != kNoError) return;
        if (const ErrorInfo* error = lines_.readError()) {
            batch.errorAfter = batch.lines.size();
            batch.error = *error;
        }
    };
    try {
        while (filling_->text.size() < batchChars_) {
            if (!lines_.nextLine(scratch)) {
                filling_->last = true;
                break;
            }
            Batch& batch = *filling_; // after the read, which may have handed one over
            batch.text += scratch;
            batch.lines.push_back({batch.text.size(), lines_.consumed(), lines_.lineGoesOn()});
            noteError();
        }
    } catch (...) {
        filling_->thrown = std::current_exception();
        filling_->last = true;
    }
    noteError();
}

void ReadAheadLines::takeBatch() {
    if (current_) {
        bool wake;
        {
            std::lock_guard lock(mutex_);
            empty_.push_back(std::move(current_));
            wake = workerWants_ != 0 && empty_.size() >= workerWants_;
        }
        if (wake) changed_.notify_all();
    }
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !full_.empty(); });
    current_ = std::move(full_.front());
    full_.pop_front();
    next_ = 0;
}

void ReadAheadLines::noteReadError() {
    if (!failed_ && next_ >= current_->errorAfter) {
        failed_ = true;
        error_ = current_->error;
    }
}

bool ReadAheadLines::nextLine(ustring& line) {
    yield_();
    while (!ended_ && (!current_ || next_ == current_->lines.size())) {
        if (current_ && current_->last) {
            ended_ = true;
            if (current_->thrown) std::rethrow_exception(current_->thrown);
            break;
        }
        takeBatch();
        noteReadError();
    }
    if (ended_) return false;
    const Batch::Line& taken = current_->lines[next_];
    const size_t begin = next_ ? current_->lines[next_ - 1].end : 0;
    line.assign(current_->text, begin, taken.end - begin);
    goesOn_ = taken.goesOn;
    consumed_ = taken.consumed;
    ++next_;
    noteReadError();
    return true;
}

bool ReadAheadPays(int64_t fileSize, bool stream, bool utf8) {
    return utf8 && (stream || fileSize > kReadAheadMinBytes);
}

std::unique_ptr<FileLineSource> MakeFileLines(TextFileReader& reader, const Settings& settings,
                                              Yielder& yield, bool readAhead) {
    if (readAhead) {
        try {
            return std::make_unique<ReadAheadLines>(reader, settings, yield);
        } catch (const std::system_error&) {
            // Without a second thread the lines are read on this one.
        }
    }
    return std::make_unique<TextFileLines>(reader, settings, yield);
}

} // namespace qd
