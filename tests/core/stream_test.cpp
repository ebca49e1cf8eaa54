#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "softblit/core/stream.h"

namespace {

std::string TempFile(const char* name, const std::string& contents) {
    auto path = std::filesystem::temp_directory_path() / (std::string("softblit_core_") + name);
    std::ofstream(path, std::ios::binary) << contents;
    return path.string();
}

}  // namespace

TEST(FileStream, ReadCountsItemsAndEofNeedsAFailedRead) {
    std::string path = TempFile("items.bin", std::string("\x01\x02\x03\x04\x05", 5));
    C_Stream stream;
    ASSERT_TRUE(stream.OpenFileForRead(path.c_str()));
    uint32_t word = 0;
    EXPECT_EQ(Stream_Read(&word, 4, 1, &stream), 1u);  // items, not bytes
    EXPECT_EQ(word, 0x04030201u);
    EXPECT_EQ(Stream_ReadByte(&stream), 5);
    EXPECT_EQ(Stream_Eof(&stream), 0u);  // the last byte was consumed, but no read has failed
    uint8_t byte = 0;
    EXPECT_EQ(Stream_Read(&byte, 1, 1, &stream), 0u);
    EXPECT_NE(Stream_Eof(&stream), 0u);
    EXPECT_EQ(Stream_Seek(&stream, 0, STREAM_SEEK_SET), 0);
    EXPECT_EQ(Stream_Eof(&stream), 0u);
    EXPECT_EQ(Stream_BytesLeft(&stream), 5u);
    EXPECT_TRUE(stream.CloseFile());
    EXPECT_EQ(stream.kind, STREAM_CLOSED);
    EXPECT_FALSE(stream.CloseFile());
}

TEST(FileStream, FailedOpenTransfersNothingAndIsAtItsEnd) {
    C_Stream stream;
    EXPECT_FALSE(stream.OpenFileForRead("/nonexistent/softblit/file.bin"));
    EXPECT_EQ(stream.kind, STREAM_FILE_READ);
    uint8_t buffer[4] = {7, 7, 7, 7};
    EXPECT_EQ(Stream_Read(buffer, 1, 4, &stream), 0u);
    EXPECT_EQ(buffer[0], 7);
    EXPECT_EQ(Stream_Write(buffer, 1, 4, &stream), 0u);
    EXPECT_EQ(Stream_Seek(&stream, 0, STREAM_SEEK_SET), 0);
    EXPECT_NE(Stream_Eof(&stream), 0u);
    EXPECT_EQ(Stream_BytesLeft(&stream), 0u);
    EXPECT_FALSE(stream.CloseFile());

    C_Stream writer;
    EXPECT_FALSE(writer.OpenFileForWrite("/nonexistent/softblit/out.bin"));
    EXPECT_EQ(Stream_Write(buffer, 1, 4, &writer), 0u);
}

TEST(FileStream, WriteThenReadBack) {
    auto path = (std::filesystem::temp_directory_path() / "softblit_core_written.bin").string();
    {
        C_Stream stream;
        ASSERT_TRUE(stream.OpenFileForWrite(path.c_str()));
        uint16_t values[3] = {1, 2, 3};
        EXPECT_EQ(Stream_Write(values, 2, 3, &stream), 3u);
        EXPECT_TRUE(stream.CloseFile());
    }
    EXPECT_EQ(std::filesystem::file_size(path), 6u);
}

TEST(MemoryStream, WriteGrowthSequence) {
    C_Stream stream;
    ASSERT_TRUE(stream.OpenMemoryForWrite());
    uint8_t data[4] = {1, 2, 3, 4};
    EXPECT_EQ(Stream_Write(data, 1, 2, &stream), 2u);
    EXPECT_EQ(stream.capacity, 2u);
    EXPECT_EQ(Stream_Write(data, 4, 1, &stream), 4u);  // bytes, not items
    EXPECT_EQ(stream.capacity, 12u);
    EXPECT_EQ(Stream_Write(data, 1, 4, &stream), 4u);
    EXPECT_EQ(stream.size, 10u);
    EXPECT_EQ(stream.position, 10u);
    EXPECT_EQ(stream.capacity, 12u);

    C_Stream bytes;
    bytes.OpenMemoryForWrite();
    uint32_t seen[5];
    for (uint32_t& c : seen) {
        Stream_Write(data, 1, 1, &bytes);
        c = bytes.capacity;
    }
    EXPECT_EQ(std::vector<uint32_t>(seen, seen + 5), (std::vector<uint32_t>{1, 4, 4, 4, 10}));
    for (int i = 0; i < 6; ++i) Stream_Write(data, 1, 1, &bytes);
    EXPECT_EQ(bytes.capacity, 22u);
}

TEST(MemoryStream, ReadCountsBytesAndStopsAtTheEnd) {
    const uint8_t data[6] = {10, 11, 12, 13, 14, 15};
    C_Stream stream;
    ASSERT_TRUE(stream.OpenMemoryForRead(data, sizeof data));
    uint32_t word = 0;
    EXPECT_EQ(Stream_Read(&word, 4, 1, &stream), 4u);
    EXPECT_EQ(Stream_BytesLeft(&stream), 2u);
    EXPECT_EQ(Stream_Eof(&stream), 0u);

    uint8_t rest[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(Stream_Read(rest, 1, 8, &stream), 2u);  // only what exists
    EXPECT_EQ(rest[0], 14);
    EXPECT_EQ(rest[1], 15);
    EXPECT_EQ(rest[2], 0);
    EXPECT_NE(Stream_Eof(&stream), 0u);
    EXPECT_EQ(Stream_Read(rest, 1, 1, &stream), 0u);
    EXPECT_EQ(Stream_Seek(&stream, 0, STREAM_SEEK_SET), 0);  // memory streams cannot seek
    EXPECT_NE(Stream_Eof(&stream), 0u);

    EXPECT_FALSE(stream.CloseFile());
    EXPECT_EQ(stream.kind, STREAM_MEMORY_READ);
    EXPECT_FALSE(stream.Close());
    EXPECT_EQ(stream.buffer, nullptr);
    EXPECT_EQ(stream.kind, STREAM_CLOSED);
}

TEST(MemoryStream, HugeReadRequestStaysInsideTheBuffer) {
    const uint8_t data[3] = {1, 2, 3};
    C_Stream stream;
    stream.OpenMemoryForRead(data, 3);
    uint8_t out[3];
    EXPECT_EQ(Stream_Read(out, 0x10000, 0x10000, &stream), 3u);  // 2^32 bytes asked
    EXPECT_NE(Stream_Eof(&stream), 0u);
}

TEST(MemoryStream, NoArgumentOpenKeepsBufferAndClosedKindsTransferNothing) {
    C_Stream stream;
    EXPECT_TRUE(stream.OpenMemoryForRead());
    uint8_t byte = 9;
    EXPECT_EQ(Stream_Read(&byte, 1, 1, &stream), 0u);  // no buffer
    C_Stream closed;
    EXPECT_EQ(Stream_Read(&byte, 1, 1, &closed), 0u);
    EXPECT_EQ(Stream_Write(&byte, 1, 1, &closed), 0u);
    EXPECT_EQ(Stream_Eof(&closed), 0u);
}

TEST(NullStream, EveryFunctionGivesZero) {
    uint8_t byte = 0;
    EXPECT_EQ(Stream_Read(&byte, 1, 1, nullptr), 0u);
    EXPECT_EQ(Stream_Write(&byte, 1, 1, nullptr), 0u);
    EXPECT_EQ(Stream_Seek(nullptr, 0, 0), 0);
    EXPECT_EQ(Stream_Eof(nullptr), 0u);
    EXPECT_EQ(Stream_ReadByte(nullptr), 0);
    EXPECT_EQ(Stream_BytesLeft(nullptr), 0u);
}
