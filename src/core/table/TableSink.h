#pragma once
// The plain word sink: each word the scanner hands over is counted in a word table.

#include "scan/Scanner.h"
#include "table/WordTable.h"

namespace qd {

class TableSink : public WordSink {
public:
    explicit TableSink(WordTable& table) : table_(table) {}
    void addWord(ustring_view word) override { table_.add(word); }

private:
    WordTable& table_;
};

} // namespace qd
