#include "input/LineCharacters.h"
#include "scan/CaseFolding.h"

#include <gtest/gtest.h>

#include <string>

namespace qd {
namespace {

std::string EveryByte() {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes.push_back(char(b));
    return bytes;
}

TEST(WidenCp1252, IsTheCodePageCharacterOfEveryByte) {
    ustring out = u"old contents";
    WidenCp1252(EveryByte(), false, out);
    EXPECT_EQ(out, FromCp1252(EveryByte()));
}

TEST(WidenCp1252, LoweredIsWhatLowerCaseAccentedMakesOfIt) {
    ustring out;
    WidenCp1252(EveryByte(), true, out);
    EXPECT_EQ(out, LowerCaseAccented(FromCp1252(EveryByte())));
    WidenCp1252("\x8A\x8C\x9F\xC9 ABC", true, out);
    EXPECT_EQ(out, u"\u0161\u0153\u00FF\u00E9 abc");
}

TEST(WidenCp1252, EmptyBytesGiveAnEmptyLine) {
    ustring out = u"x";
    WidenCp1252("", true, out);
    EXPECT_TRUE(out.empty());
}

} // namespace
} // namespace qd
