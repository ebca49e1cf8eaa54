// Owned zero-terminated byte string.
#pragma once

#include <cstdint>

#include "softblit/core/object.h"

class C_String : public C_Object {
public:
    char* text;
    uint32_t length;

    C_String();
    C_String(const char* source);
    C_String(const C_String& other);
    explicit C_String(uint8_t value);
    explicit C_String(uint16_t value);
    explicit C_String(uint32_t value);
    explicit C_String(int8_t value);
    explicit C_String(int16_t value);
    explicit C_String(int32_t value);
    explicit C_String(float value);
    explicit C_String(double value);
    ~C_String() override { C_String::Release(); }

    C_String& operator=(const C_String& other);
    C_String& operator=(const char* source);
    C_String& operator=(uint8_t value);
    C_String& operator=(uint16_t value);
    C_String& operator=(uint32_t value);
    C_String& operator=(int8_t value);
    C_String& operator=(int16_t value);
    C_String& operator=(int32_t value);
    C_String& operator=(float value);
    C_String& operator=(double value);

    void Release() override;
    bool LoadFromStream(C_Stream* stream, uint32_t flags) override;
    bool SaveToStream(C_Stream* stream, uint32_t flags) override;
    uint32_t GetClassType() override { return CLASS_STRING; }

    const char* GetText() const { return text; }
    char* GetText() { return text; }
    uint32_t GetLength() const { return length; }

    void ToUpper();
    void ToLower();
    C_String GetUpper() const;
    C_String GetLower() const;
    int32_t ToInt() const;
    int32_t ToLong() const;
    float ToFloat() const;
    double ToDouble() const;

    bool operator==(const char* other) const;
    bool operator!=(const char* other) const;
    bool operator<(const char* other) const;
    bool operator>(const char* other) const;
    bool operator<=(const char* other) const;
    bool operator>=(const char* other) const;
    bool operator==(const C_String& other) const;

    C_String& operator+=(const C_String& other);
    C_String operator+(const C_String& other) const;
    C_String Left(uint32_t n) const;
    C_String Right(uint32_t n) const;
    C_String Mid(uint32_t start, uint32_t n) const;
    int32_t Find(const char* pattern, bool caseSensitive) const;
    int32_t Find(const C_String& pattern, bool caseSensitive) const;
    int32_t FindLast(const char* pattern, bool caseSensitive) const;
    int32_t FindLast(const C_String& pattern, bool caseSensitive) const;
    C_String GetExtension() const;
    void InsertChar(uint32_t position, char c);
    void DeleteChar(uint32_t position);

    bool Load_TXT_FromStream(C_Stream* stream);
    bool Load_TXT_FromFile(const C_String& fileName);

private:
    void Assign(const char* source, uint32_t bytes);
    void AssignFormatted(const char* format, ...);
};

int32_t Compare(const C_String& a, const C_String& b);
