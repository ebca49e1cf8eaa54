#include "softblit/core/string.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "softblit/core/record.h"
#include "softblit/core/status.h"

namespace {

char LowerByte(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperByte(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

int CompareTexts(const char* a, const char* b) {
    return strcmp(a ? a : "", b ? b : "");
}

uint32_t LengthOf(const char* text) { return text ? static_cast<uint32_t>(strlen(text)) : 0; }

// Compares `pattern` (length p) with the text at `at`, which has `left` bytes
// before its end; bytes past the end count as zeros, as a zero-padded window would.
bool MatchesAt(const char* at, uint32_t left, const char* pattern, uint32_t p, bool caseSensitive) {
    for (uint32_t k = 0; k < p; ++k) {
        char t = k < left ? at[k] : 0;
        char q = pattern[k];
        if (!caseSensitive) {
            t = LowerByte(t);
            q = LowerByte(q);
        }
        if (t != q) return false;
    }
    return true;
}

}  // namespace

C_String::C_String() : text(nullptr), length(0) { Assign("", 0); }

C_String::C_String(const char* source) : text(nullptr), length(0) {
    if (source) Assign(source, LengthOf(source));
}

C_String::C_String(const C_String& other) : C_Object(), text(nullptr), length(0) {
    if (other.text) Assign(other.text, other.length);
}

C_String::C_String(uint8_t value) : text(nullptr), length(0) { *this = value; }
C_String::C_String(uint16_t value) : text(nullptr), length(0) { *this = value; }
C_String::C_String(uint32_t value) : text(nullptr), length(0) { *this = value; }
C_String::C_String(int8_t value) : text(nullptr), length(0) { *this = value; }
C_String::C_String(int16_t value) : text(nullptr), length(0) { *this = value; }
C_String::C_String(int32_t value) : text(nullptr), length(0) { *this = value; }
C_String::C_String(float value) : text(nullptr), length(0) { *this = value; }
C_String::C_String(double value) : text(nullptr), length(0) { *this = value; }

C_String& C_String::operator=(const C_String& other) {
    if (this == &other) return *this;
    if (other.text) {
        Assign(other.text, other.length);
    } else {
        Release();
    }
    return *this;
}

C_String& C_String::operator=(const char* source) {
    if (source == text) return *this;
    if (source) {
        Assign(source, LengthOf(source));
    } else {
        Release();
    }
    return *this;
}

C_String& C_String::operator=(uint8_t value) { AssignFormatted("%d", static_cast<int>(value)); return *this; }
C_String& C_String::operator=(uint16_t value) { AssignFormatted("%d", static_cast<int>(value)); return *this; }
// Values of 2^31 and more stay unsigned rather than turning negative.
C_String& C_String::operator=(uint32_t value) { AssignFormatted("%u", static_cast<unsigned>(value)); return *this; }
C_String& C_String::operator=(int8_t value) { AssignFormatted("%d", static_cast<int>(value)); return *this; }
C_String& C_String::operator=(int16_t value) { AssignFormatted("%d", static_cast<int>(value)); return *this; }
C_String& C_String::operator=(int32_t value) { AssignFormatted("%d", static_cast<int>(value)); return *this; }
C_String& C_String::operator=(float value) { AssignFormatted("%f", static_cast<double>(value)); return *this; }
C_String& C_String::operator=(double value) { AssignFormatted("%f", value); return *this; }

void C_String::Assign(const char* source, uint32_t bytes) {
    // Build the new text before freeing the old one: `source` may point into it.
    char* copy = static_cast<char*>(Mem_Alloc(static_cast<size_t>(bytes) + 1));
    if (!copy) return;
    if (bytes) memcpy(copy, source, bytes);
    copy[bytes] = 0;
    Release();
    text = copy;
    length = bytes;
}

void C_String::AssignFormatted(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int needed = vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (needed < 0) {
        va_end(again);
        return;
    }
    char* formatted = static_cast<char*>(Mem_Alloc(static_cast<size_t>(needed) + 1));
    if (formatted) {
        vsnprintf(formatted, static_cast<size_t>(needed) + 1, format, again);
        Release();
        text = formatted;
        length = static_cast<uint32_t>(needed);
    }
    va_end(again);
}

void C_String::Release() {
    Mem_Free(text);
    text = nullptr;
    length = 0;
}

bool C_String::LoadFromStream(C_Stream* stream, uint32_t) {
    if (!Record_ReadTag(stream, CLASS_STRING, "C_String")) return false;
    uint32_t n = 0;
    if (!Record_Read(stream, n)) return Record_Truncated("C_String");
    // Never trust the stored length further than the data that exists.
    if (n > Stream_BytesLeft(stream)) {
        Release();
        Assign("", 0);
        return Record_Truncated("C_String");
    }
    char* loaded = static_cast<char*>(Mem_AllocZero(static_cast<size_t>(n) + 1));
    if (!loaded) return Err_Fail(ERR_ALLOC, "C_String::LoadFromStream{text}", "C_String::LoadFromStream");
    uint32_t got = n ? Stream_Read(loaded, 1, n, stream) : 0;
    Release();
    text = loaded;
    length = LengthOf(loaded);
    if (got != n) return Record_Truncated("C_String");
    return true;
}

bool C_String::SaveToStream(C_Stream* stream, uint32_t) {
    Record_WriteTag(stream, CLASS_STRING);
    uint32_t n = length + 1;
    Record_Write(stream, n);
    if (text) {
        Stream_Write(text, 1, n, stream);
    } else {
        Record_Write(stream, static_cast<uint8_t>(0));
    }
    return true;
}

void C_String::ToUpper() {
    for (uint32_t i = 0; text && i < length; ++i) text[i] = UpperByte(text[i]);
}

void C_String::ToLower() {
    for (uint32_t i = 0; text && i < length; ++i) text[i] = LowerByte(text[i]);
}

C_String C_String::GetUpper() const {
    C_String copy(*this);
    copy.ToUpper();
    return copy;
}

C_String C_String::GetLower() const {
    C_String copy(*this);
    copy.ToLower();
    return copy;
}

int32_t C_String::ToInt() const { return text ? static_cast<int32_t>(strtol(text, nullptr, 10)) : 0; }
int32_t C_String::ToLong() const { return ToInt(); }
float C_String::ToFloat() const { return text ? strtof(text, nullptr) : 0.0f; }
double C_String::ToDouble() const { return text ? strtod(text, nullptr) : 0.0; }

bool C_String::operator==(const char* other) const { return CompareTexts(text, other) == 0; }
bool C_String::operator!=(const char* other) const { return CompareTexts(text, other) != 0; }
bool C_String::operator<(const char* other) const { return CompareTexts(text, other) < 0; }
bool C_String::operator>(const char* other) const { return CompareTexts(text, other) > 0; }
bool C_String::operator<=(const char* other) const { return CompareTexts(text, other) <= 0; }
bool C_String::operator>=(const char* other) const { return CompareTexts(text, other) >= 0; }
bool C_String::operator==(const C_String& other) const {
    return length == other.length && CompareTexts(text, other.text) == 0;
}

int32_t Compare(const C_String& a, const C_String& b) {
    int c = CompareTexts(a.text, b.text);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

C_String& C_String::operator+=(const C_String& other) {
    uint32_t extra = other.text ? other.length : 0;
    char* joined = static_cast<char*>(Mem_Alloc(static_cast<size_t>(length) + extra + 1));
    if (!joined) return *this;
    if (length) memcpy(joined, text, length);
    if (extra) memcpy(joined + length, other.text, extra);
    joined[length + extra] = 0;
    uint32_t total = length + extra;
    Release();
    text = joined;
    length = total;
    return *this;
}

C_String C_String::operator+(const C_String& other) const {
    C_String joined(*this);
    if (!joined.text) joined.Assign("", 0);
    joined += other;
    return joined;
}

C_String C_String::Left(uint32_t n) const {
    C_String part;
    if (text) part.Assign(text, n < length ? n : length);
    return part;
}

C_String C_String::Right(uint32_t n) const {
    C_String part;
    if (!text) return part;
    uint32_t start = n < length ? length - n : 0;
    part.Assign(text + start, length - start);
    return part;
}

C_String C_String::Mid(uint32_t start, uint32_t n) const {
    C_String part;
    if (!text || start >= length) return part;
    uint32_t left = length - start;
    part.Assign(text + start, n < left ? n : left);
    return part;
}

int32_t C_String::Find(const char* pattern, bool caseSensitive) const {
    if (!text || length == 0 || !pattern) return -1;
    uint32_t p = LengthOf(pattern);
    for (uint32_t i = 0; i < length; ++i) {
        if (MatchesAt(text + i, length - i, pattern, p, caseSensitive)) return static_cast<int32_t>(i);
    }
    return -1;
}

int32_t C_String::Find(const C_String& pattern, bool caseSensitive) const {
    return Find(pattern.text ? pattern.text : "", caseSensitive);
}

int32_t C_String::FindLast(const char* pattern, bool caseSensitive) const {
    if (!text || length == 0 || !pattern) return -1;
    uint32_t p = LengthOf(pattern);
    for (uint32_t i = length; i-- > 0;) {
        if (MatchesAt(text + i, length - i, pattern, p, caseSensitive)) return static_cast<int32_t>(i);
    }
    return -1;
}

int32_t C_String::FindLast(const C_String& pattern, bool caseSensitive) const {
    return FindLast(pattern.text ? pattern.text : "", caseSensitive);
}

C_String C_String::GetExtension() const {
    int32_t dot = FindLast(".", false);
    if (dot < 0) return C_String();
    return Mid(static_cast<uint32_t>(dot) + 1, length);
}

void C_String::InsertChar(uint32_t position, char c) {
    if (position > length) position = length;
    char* grown = static_cast<char*>(Mem_Alloc(static_cast<size_t>(length) + 2));
    if (!grown) return;
    if (position) memcpy(grown, text, position);
    grown[position] = c;
    if (length > position) memcpy(grown + position + 1, text + position, length - position);
    grown[length + 1] = 0;
    uint32_t total = length + 1;
    Release();
    text = grown;
    length = total;
}

void C_String::DeleteChar(uint32_t position) {
    if (!text || position >= length) return;
    memmove(text + position, text + position + 1, length - position);
    length -= 1;
}

bool C_String::Load_TXT_FromStream(C_Stream* stream) {
    Release();
    uint32_t count = 0;
    uint8_t byte = 0;
    while (Stream_Read(&byte, 1, 1, stream) == 1) {
        if (byte != 13) ++count;
    }
    Stream_Seek(stream, 0, STREAM_SEEK_SET);
    char* loaded = static_cast<char*>(Mem_Alloc(static_cast<size_t>(count) + 1));
    if (!loaded) return false;
    uint32_t stored = 0;
    while (stored < count && Stream_Read(&byte, 1, 1, stream) == 1) {
        if (byte != 13) loaded[stored++] = static_cast<char>(byte);
    }
    loaded[stored] = 0;
    text = loaded;
    length = LengthOf(loaded);
    return true;
}

bool C_String::Load_TXT_FromFile(const C_String& fileName) {
    C_Stream stream;
    if (!stream.OpenFileForRead(fileName.text)) {
        Err_Set(ERR_OPEN_READ, 0, 0, "C_String::Load_TXT_FromFile(%s)", fileName.text ? fileName.text : "");
        Err_Fatal("C_String::Load_TXT_FromFile");
        Release();
        return false;
    }
    Load_TXT_FromStream(&stream);
    stream.CloseFile();
    return true;
}
