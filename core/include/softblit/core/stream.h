// Byte channel over a C file or a memory block.
#pragma once

#include <cstdint>
#include <cstdio>

enum : uint8_t {
    STREAM_CLOSED = 0,
    STREAM_FILE_READ = 1,
    STREAM_FILE_WRITE = 2,
    STREAM_MEMORY_READ = 3,
    STREAM_MEMORY_WRITE = 4,
};

enum : uint32_t { STREAM_SEEK_SET = 0, STREAM_SEEK_CUR = 1, STREAM_SEEK_END = 2 };

struct C_Stream {
    uint32_t size;
    uint32_t capacity;
    uint32_t position;
    uint8_t* buffer;
    FILE* file;
    uint8_t kind;

    C_Stream();
    ~C_Stream();
    C_Stream(const C_Stream&) = delete;
    C_Stream& operator=(const C_Stream&) = delete;

    bool OpenFileForRead(const char* fileName);
    bool OpenFileForWrite(const char* fileName);
    bool OpenMemoryForRead();
    // Copies `bytes` bytes of `data` into the stream's own buffer (freed by
    // Close) and opens it for reading. False when the copy cannot be allocated.
    bool OpenMemoryForRead(const void* data, uint32_t bytes);
    bool OpenMemoryForWrite();
    bool CloseFile();
    bool Close();
};

uint32_t Stream_Read(void* destination, uint32_t itemSize, uint32_t itemCount, C_Stream* stream);
uint32_t Stream_Write(const void* source, uint32_t itemSize, uint32_t itemCount, C_Stream* stream);
int32_t Stream_Seek(C_Stream* stream, int32_t offset, uint32_t origin);
uint32_t Stream_Eof(C_Stream* stream);
uint8_t Stream_ReadByte(C_Stream* stream);

// Bytes that a reader can still obtain from the current position: the rest of
// the file or of the memory data; 0 for closed or write streams. Loaders use it
// to refuse headers that promise more data than exists before allocating.
uint64_t Stream_BytesLeft(C_Stream* stream);
