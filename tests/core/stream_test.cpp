#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "softblit/core/stream.h"

TEST(FileStream, ReadCountsItemsAndEndOfFileNeedsAFailedRead) {
    auto path = (std::filesystem::temp_directory_path() / "softblit_core_items.bin").string();
    std::ofstream(path, std::ios::binary) << std::string("\x01\x02\x03\x04\x05", 5);
    C_Stream stream;
    ASSERT_TRUE(stream.OpenFileForRead(path.c_str()));
    uint32_t word = 0;
    EXPECT_EQ(Stream_Read(&word, 4, 1, &stream), 1u);  // items, not bytes
    EXPECT_EQ(word, 0x04030201u);
    EXPECT_EQ(Stream_ReadByte(&stream), 5);
    EXPECT_EQ(Stream_Eof(&stream), 0u);
    EXPECT_EQ(Stream_Read(&word, 1, 1, &stream), 0u);
    EXPECT_NE(Stream_Eof(&stream), 0u);
    EXPECT_EQ(Stream_Seek(&stream, 0, STREAM_SEEK_SET), 0);
    EXPECT_EQ(Stream_Eof(&stream), 0u);
    EXPECT_EQ(Stream_BytesLeft(&stream), 5u);
    EXPECT_TRUE(stream.CloseFile());
    EXPECT_FALSE(stream.CloseFile());
}

TEST(FileStream, FailedOpenTransfersNothingAndIsAtItsEnd) {
    C_Stream reader, writer;
    EXPECT_FALSE(reader.OpenFileForRead("/nonexistent/softblit/file.bin"));
    EXPECT_FALSE(writer.OpenFileForWrite("/nonexistent/softblit/out.bin"));
    uint8_t buffer[4] = {7, 7, 7, 7};
    EXPECT_EQ(Stream_Read(buffer, 1, 4, &reader), 0u);
    EXPECT_EQ(buffer[0], 7);
    EXPECT_EQ(Stream_Write(buffer, 1, 4, &writer), 0u);
    EXPECT_NE(Stream_Eof(&reader), 0u);
    EXPECT_FALSE(reader.CloseFile());
}

TEST(MemoryStream, WritesCountBytesAndGrowTheBuffer) {
    C_Stream stream;
    stream.OpenMemoryForWrite();
    uint8_t data[4] = {1, 2, 3, 4};
    EXPECT_EQ(Stream_Write(data, 1, 2, &stream), 2u);
    EXPECT_EQ(Stream_Write(data, 4, 1, &stream), 4u);  // bytes, not items
    EXPECT_EQ(stream.capacity, 12u);                   // 2, then (2 + 4) x 2
    EXPECT_EQ(Stream_Write(data, 1, 4, &stream), 4u);
    EXPECT_EQ(stream.size, 10u);
    EXPECT_EQ(stream.capacity, 12u);

    C_Stream bytes;
    bytes.OpenMemoryForWrite();
    std::vector<uint32_t> seen;
    for (int i = 0; i < 11; ++i) {
        Stream_Write(data, 1, 1, &bytes);
        seen.push_back(bytes.capacity);
    }
    EXPECT_EQ(seen, (std::vector<uint32_t>{1, 4, 4, 4, 10, 10, 10, 10, 10, 10, 22}));
}

TEST(MemoryStream, ReadsStopAtTheEndOfTheData) {
    const uint8_t data[6] = {10, 11, 12, 13, 14, 15};
    C_Stream stream;
    ASSERT_TRUE(stream.OpenMemoryForRead(data, sizeof data));
    uint32_t word = 0;
    EXPECT_EQ(Stream_Read(&word, 4, 1, &stream), 4u);
    uint8_t rest[8] = {};
    EXPECT_EQ(Stream_Read(rest, 1, 8, &stream), 2u);  // only what exists
    EXPECT_EQ(rest[1], 15);
    EXPECT_EQ(rest[2], 0);
    EXPECT_NE(Stream_Eof(&stream), 0u);
    EXPECT_FALSE(stream.Close());
    EXPECT_EQ(stream.buffer, nullptr);

    C_Stream small;
    small.OpenMemoryForRead(data, 3);
    EXPECT_EQ(Stream_Read(rest, 0x10000, 0x10000, &small), 3u);  // 2^32 bytes asked
}

TEST(NullAndClosedStreams, TransferNothing) {
    uint8_t byte = 0;
    C_Stream closed;
    for (C_Stream* s : {static_cast<C_Stream*>(nullptr), &closed}) {
        EXPECT_EQ(Stream_Read(&byte, 1, 1, s), 0u);
        EXPECT_EQ(Stream_Write(&byte, 1, 1, s), 0u);
        EXPECT_EQ(Stream_Seek(s, 0, 0), 0);
        EXPECT_EQ(Stream_Eof(s), 0u);
        EXPECT_EQ(Stream_BytesLeft(s), 0u);
    }
}
