#include "softblit/core/stream.h"

#include <cstdlib>
#include <cstring>

#include "softblit/core/status.h"

C_Stream::C_Stream() : size(0), capacity(0), position(0), buffer(nullptr), file(nullptr), kind(STREAM_CLOSED) {}

C_Stream::~C_Stream() { Close(); }

bool C_Stream::OpenFileForRead(const char* fileName) {
    kind = STREAM_FILE_READ;
    file = fileName ? fopen(fileName, "rb") : nullptr;
    return file != nullptr;
}

bool C_Stream::OpenFileForWrite(const char* fileName) {
    kind = STREAM_FILE_WRITE;
    file = fileName ? fopen(fileName, "wb") : nullptr;
    return file != nullptr;
}

bool C_Stream::OpenMemoryForRead() {
    kind = STREAM_MEMORY_READ;
    position = 0;
    return true;
}

bool C_Stream::OpenMemoryForRead(const void* data, uint32_t bytes) {
    uint8_t* copy = nullptr;
    if (bytes) {
        copy = static_cast<uint8_t*>(Mem_Alloc(bytes));
        if (!copy) {
            Err_Set(ERR_ALLOC, 0, 0, "C_Stream::OpenMemoryForRead{buffer}");
            return false;
        }
        memcpy(copy, data, bytes);
    }
    Mem_Free(buffer);
    buffer = copy;
    size = bytes;
    capacity = bytes;
    kind = STREAM_MEMORY_READ;
    position = 0;
    return true;
}

bool C_Stream::OpenMemoryForWrite() {
    kind = STREAM_MEMORY_WRITE;
    position = 0;
    return true;
}

bool C_Stream::CloseFile() {
    if ((kind == STREAM_FILE_READ || kind == STREAM_FILE_WRITE) && file) {
        fclose(file);
        file = nullptr;
        kind = STREAM_CLOSED;
        return true;
    }
    return false;
}

bool C_Stream::Close() {
    if ((kind == STREAM_MEMORY_READ || kind == STREAM_MEMORY_WRITE) && buffer) {
        Mem_Free(buffer);
        buffer = nullptr;
        kind = STREAM_CLOSED;
    }
    return CloseFile();
}

uint32_t Stream_Read(void* destination, uint32_t itemSize, uint32_t itemCount, C_Stream* stream) {
    if (!stream) return 0;
    if (stream->kind == STREAM_FILE_READ) {
        if (!stream->file) return 0;
        return static_cast<uint32_t>(fread(destination, itemSize, itemCount, stream->file));
    }
    if (stream->kind != STREAM_MEMORY_READ || !stream->buffer) return 0;

    // Memory reads count bytes, not items. A read past the end copies what
    // exists and moves the position past the end so that Stream_Eof is set.
    uint64_t wanted = static_cast<uint64_t>(itemSize) * itemCount;
    uint64_t available = stream->position < stream->size ? stream->size - stream->position : 0;
    uint64_t copied = wanted < available ? wanted : available;
    if (copied) memcpy(destination, stream->buffer + stream->position, static_cast<size_t>(copied));
    if (wanted > available) {
        uint64_t end = static_cast<uint64_t>(stream->size) + 1;
        stream->position = static_cast<uint32_t>(end > 0xFFFFFFFFu ? 0xFFFFFFFFu : end);
    } else {
        stream->position += static_cast<uint32_t>(copied);
    }
    return static_cast<uint32_t>(copied);
}

namespace {

// A memory stream that cannot grow writes nothing; the report tells the
// caller, whose own failure follows, why.
uint32_t NoRoom() {
    Err_Set(ERR_ALLOC, 0, 0, "Stream_Write{buffer}");
    return 0;
}

}  // namespace

uint32_t Stream_Write(const void* source, uint32_t itemSize, uint32_t itemCount, C_Stream* stream) {
    if (!stream) return 0;
    if (stream->kind == STREAM_FILE_WRITE) {
        if (!stream->file) return 0;
        return static_cast<uint32_t>(fwrite(source, itemSize, itemCount, stream->file));
    }
    if (stream->kind != STREAM_MEMORY_WRITE) return 0;

    uint64_t n = static_cast<uint64_t>(itemSize) * itemCount;
    uint64_t end = static_cast<uint64_t>(stream->position) + n;
    if (end > 0xFFFFFFFFu) return 0;
    if (!stream->buffer) {
        uint64_t newCapacity = static_cast<uint64_t>(stream->capacity) + n;
        if (n == 0 || newCapacity > 0xFFFFFFFFu || newCapacity < end) {
            if (n == 0) return 0;
            newCapacity = end;
        }
        uint8_t* block = static_cast<uint8_t*>(Mem_Alloc(static_cast<size_t>(newCapacity)));
        if (!block) return NoRoom();
        stream->buffer = block;
        stream->capacity = static_cast<uint32_t>(newCapacity);
    } else if (end > stream->capacity) {
        uint64_t newCapacity = (static_cast<uint64_t>(stream->capacity) + n) * 2;
        if (newCapacity > 0xFFFFFFFFu) newCapacity = 0xFFFFFFFFu;
        uint8_t* block = static_cast<uint8_t*>(Mem_Realloc(stream->buffer, static_cast<size_t>(newCapacity)));
        if (!block) return NoRoom();
        stream->buffer = block;
        stream->capacity = static_cast<uint32_t>(newCapacity);
    }
    if (n) memcpy(stream->buffer + stream->position, source, static_cast<size_t>(n));
    stream->size += static_cast<uint32_t>(n);
    stream->position = static_cast<uint32_t>(end);
    return static_cast<uint32_t>(n);
}

int32_t Stream_Seek(C_Stream* stream, int32_t offset, uint32_t origin) {
    if (!stream || !stream->file) return 0;
    if (stream->kind != STREAM_FILE_READ && stream->kind != STREAM_FILE_WRITE) return 0;
    int whence = origin == STREAM_SEEK_CUR ? SEEK_CUR : origin == STREAM_SEEK_END ? SEEK_END : SEEK_SET;
    return fseek(stream->file, offset, whence);
}

uint32_t Stream_Eof(C_Stream* stream) {
    if (!stream) return 0;
    switch (stream->kind) {
        case STREAM_FILE_READ:
        case STREAM_FILE_WRITE:
            // A file stream whose open failed can deliver nothing: it is at its end.
            return stream->file ? (feof(stream->file) ? 1u : 0u) : 1u;
        case STREAM_MEMORY_READ:
        case STREAM_MEMORY_WRITE:
            return stream->position > stream->size ? stream->position - stream->size : 0u;
        default:
            return 0;
    }
}

uint8_t Stream_ReadByte(C_Stream* stream) {
    uint8_t byte = 0;
    Stream_Read(&byte, 1, 1, stream);
    return byte;
}

uint64_t Stream_BytesLeft(C_Stream* stream) {
    if (!stream) return 0;
    if (stream->kind == STREAM_MEMORY_READ) {
        return stream->buffer && stream->position < stream->size ? stream->size - stream->position : 0;
    }
    if (stream->kind != STREAM_FILE_READ || !stream->file) return 0;
    long here = ftell(stream->file);
    if (here < 0 || fseek(stream->file, 0, SEEK_END) != 0) return 0;
    long end = ftell(stream->file);
    // Return to where the reader was; this also keeps the end-of-file flag clear.
    fseek(stream->file, here, SEEK_SET);
    return end > here ? static_cast<uint64_t>(end - here) : 0;
}
