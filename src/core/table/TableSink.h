#pragma once
// The plain word sink: each word the scanner hands over is counted in a word table.

#include "scan/Scanner.h"
#include "table/WordTable.h"

namespace qd {

class TableSink : public WordSink {
public:
    explicit TableSink(WordTable& table) : table_(table) {}
    int32_t addWord(ustring_view word) override {
        int32_t slot = -1;
        table_.add(word, &slot);
        return slot;
    }
    void addAgain(int32_t token) override { table_.addAgain(token); }

private:
    WordTable& table_;
};

} // namespace qd
