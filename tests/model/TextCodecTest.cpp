#include "model/store/TextCodec.h"

#include <gtest/gtest.h>

TEST(TextCodecTest, ChineseRoundTripsThroughGbk)
{
    EXPECT_EQ(Utf8ToGbk("中"), "\xD6\xD0");
    EXPECT_EQ(GbkToUtf8("\xD6\xD0"), "中");
    EXPECT_EQ(GbkToUtf8(Utf8ToGbk("字符串 abc 整型")), "字符串 abc 整型");
    EXPECT_EQ(Utf8ToGbk(""), "");
}

TEST(TextCodecTest, TextWithoutGbkFormIsRefused)
{
    EXPECT_TRUE(IsGbkEncodable("图书 Book"));
    EXPECT_FALSE(IsGbkEncodable("emoji \xF0\x9F\x98\x80"));
    EXPECT_FALSE(IsGbkEncodable("broken \xFF utf-8"));
    EXPECT_THROW(Utf8ToGbk("\xF0\x9F\x98\x80"), TEncodingError);
    EXPECT_THROW(GbkToUtf8("\xFF\xFF"), TEncodingError);
}
