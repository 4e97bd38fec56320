#include "dictionaries/byte_stream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace malvex {
namespace {

TEST(ByteStreamTest, ValuesAreLittleEndianBothWays) {
  std::string bytes;
  ByteWriter out(bytes);
  out.U8(0x01);
  out.U16(0x0302);
  out.I16(-2);
  out.U32(0x07060504);
  out.I32(-1);
  out.Bytes("xy", 2);
  out.Zeros(2);
  EXPECT_EQ(bytes, std::string("\x01\x02\x03\xFE\xFF\x04\x05\x06\x07\xFF\xFF\xFF\xFFxy\0\0", 17));

  ByteReader in(bytes);
  uint8_t u8;
  uint16_t u16;
  int16_t i16;
  uint32_t u32;
  int32_t i32;
  char text[2];
  ASSERT_TRUE(in.ReadU8(u8));
  ASSERT_TRUE(in.ReadU16(u16));
  ASSERT_TRUE(in.ReadI16(i16));
  ASSERT_TRUE(in.ReadU32(u32));
  ASSERT_TRUE(in.ReadI32(i32));
  ASSERT_TRUE(in.ReadBytes(text, 2));
  EXPECT_EQ(u8, 0x01);
  EXPECT_EQ(u16, 0x0302);
  EXPECT_EQ(i16, -2);
  EXPECT_EQ(u32, 0x07060504u);
  EXPECT_EQ(i32, -1);
  EXPECT_EQ(std::string(text, 2), "xy");
  EXPECT_EQ(in.remaining(), 2u);
}

TEST(ByteStreamTest, ShortReadsFailAndConsumeNothing) {
  const std::string bytes("\x01\x02\x03", 3);
  ByteReader in(bytes);
  ASSERT_TRUE(in.Skip(1));
  uint32_t u32;
  int32_t i32;
  uint16_t u16;
  char buffer[3];
  EXPECT_FALSE(in.ReadU32(u32));
  EXPECT_FALSE(in.ReadI32(i32));
  EXPECT_FALSE(in.ReadBytes(buffer, 3));
  EXPECT_EQ(in.Take(3), nullptr);
  EXPECT_FALSE(in.Skip(3));
  EXPECT_FALSE(in.Seek(4));
  EXPECT_EQ(in.position(), 1u);
  EXPECT_TRUE(in.ReadU16(u16));
  EXPECT_EQ(u16, 0x0302);
  EXPECT_FALSE(in.ReadU8(*reinterpret_cast<uint8_t*>(buffer)));
  EXPECT_TRUE(in.Seek(0));
  EXPECT_NE(in.Take(0), nullptr);

  ByteReader none(nullptr, 10);
  EXPECT_EQ(none.size(), 0u);
  EXPECT_NE(none.Take(0), nullptr);
  EXPECT_FALSE(none.Skip(1));
}

}  // namespace
}  // namespace malvex
