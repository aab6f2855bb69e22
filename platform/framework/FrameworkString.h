// The framework's single-byte text string, with value semantics. Its object
// is one pointer laid out as StringLayout.h describes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "StringLayout.h"

namespace vx {

class CString {
  public:
    CString() = default;
    CString(const char* text);  // NOLINT: implicit like the framework's own
    CString(const char* text, int length);
    CString(const CString& other);
    CString(CString&& other) noexcept;
    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    CString& operator=(const char* text);
    ~CString();

    int GetLength() const { return m_pchData ? Header()->nDataLength : 0; }
    bool IsEmpty() const { return GetLength() == 0; }
    const char* c_str() const { return m_pchData ? m_pchData : ""; }
    operator const char*() const { return c_str(); }  // NOLINT
    char operator[](int index) const { return c_str()[index]; }

    // Room for at least minLength characters plus the zero; keeps the text.
    // Returns null when the memory cannot be had.
    char* GetBuffer(int minLength);
    // Ends the text at length, or at its first zero byte when length is -1.
    void ReleaseBuffer(int length = -1);
    void Empty();
    // String-table text of the current resource module; false when absent.
    bool LoadFromTable(uint32_t id);

    CString& operator+=(const char* text);
    friend CString operator+(const CString& a, const char* b);

    bool operator==(const char* text) const;
    bool operator!=(const char* text) const { return !(*this == text); }

  private:
    VxStringData* Header() const { return reinterpret_cast<VxStringData*>(m_pchData) - 1; }
    bool Assign(const char* text, size_t length);
    char* m_pchData = nullptr;
};

static_assert(sizeof(CString) == sizeof(void*), "string object must be one pointer");

}  // namespace vx
