#include "FrameworkString.h"

#include <cstring>
#include <utility>

#include "../Platform.h"
#include "ModuleState.h"
#include "StringHeap.h"

namespace vx {

namespace {
constexpr int kMaxLength = 0x7FFFFFF0;
}

CString::CString(const char* text) {
    if (text != nullptr) Assign(text, std::strlen(text));
}

CString::CString(const char* text, int length) {
    if (text != nullptr && length > 0) Assign(text, static_cast<size_t>(length));
}

CString::CString(const CString& other) {
    Assign(other.c_str(), other.GetLength());
}

CString::CString(CString&& other) noexcept : m_pchData(other.m_pchData) {
    other.m_pchData = nullptr;
}

CString& CString::operator=(const CString& other) {
    if (this != &other) Assign(other.c_str(), other.GetLength());
    return *this;
}

CString& CString::operator=(CString&& other) noexcept {
    if (this != &other) {
        Empty();
        m_pchData = other.m_pchData;
        other.m_pchData = nullptr;
    }
    return *this;
}

CString& CString::operator=(const char* text) {
    if (text == nullptr) {
        Empty();
        return *this;
    }
    if (m_pchData != nullptr && text >= m_pchData && text <= m_pchData + Header()->nAllocLength) {
        CString copy(text);  // text lies inside our own block
        return *this = std::move(copy);
    }
    Assign(text, std::strlen(text));
    return *this;
}

CString::~CString() {
    Empty();
}

void CString::Empty() {
    if (m_pchData != nullptr) {
        StringHeapFree(Header());
        m_pchData = nullptr;
    }
}

bool CString::Assign(const char* text, size_t length) {
    if (length > static_cast<size_t>(kMaxLength)) return false;
    char* buffer = GetBuffer(static_cast<int>(length));
    if (buffer == nullptr) return false;
    if (length > 0) std::memmove(buffer, text, length);
    ReleaseBuffer(static_cast<int>(length));
    return true;
}

char* CString::GetBuffer(int minLength) {
    if (minLength < 0 || minLength > kMaxLength) return nullptr;
    if (m_pchData != nullptr && Header()->nAllocLength >= minLength) return m_pchData;
    void* block = StringHeapAlloc(sizeof(VxStringData) + static_cast<size_t>(minLength) + 1);
    if (block == nullptr) return nullptr;
    auto* header = static_cast<VxStringData*>(block);
    header->nRefs = 1;
    header->nAllocLength = minLength;
    char* chars = reinterpret_cast<char*>(header + 1);
    int keep = GetLength();
    if (keep > 0) std::memcpy(chars, m_pchData, static_cast<size_t>(keep));
    chars[keep] = '\0';
    header->nDataLength = keep;
    Empty();
    m_pchData = chars;
    return m_pchData;
}

void CString::ReleaseBuffer(int length) {
    if (m_pchData == nullptr) return;
    VxStringData* header = Header();
    if (length < 0 || length > header->nAllocLength) {
        length = static_cast<int>(strnlen(m_pchData, static_cast<size_t>(header->nAllocLength)));
    }
    header->nDataLength = length;
    m_pchData[length] = '\0';
}

bool CString::LoadFromTable(uint32_t id) {
    char buffer[256];
    IShellServices* shell = Platform().shell;
    int n = shell ? shell->LoadStringResource(AfxGetModuleState()->m_hCurrentResourceHandle, id,
                                              buffer, sizeof buffer)
                  : 0;
    if (n <= 0) {
        Empty();
        return false;
    }
    return Assign(buffer, static_cast<size_t>(n));
}

CString& CString::operator+=(const char* text) {
    if (text == nullptr) return *this;
    size_t add = std::strlen(text);
    int old = GetLength();
    if (add > static_cast<size_t>(kMaxLength - old)) return *this;
    CString joined;
    char* buffer = joined.GetBuffer(old + static_cast<int>(add));
    if (buffer == nullptr) return *this;
    std::memcpy(buffer, c_str(), static_cast<size_t>(old));
    std::memcpy(buffer + old, text, add);
    joined.ReleaseBuffer(old + static_cast<int>(add));
    return *this = std::move(joined);
}

CString operator+(const CString& a, const char* b) {
    CString result(a);
    result += b;
    return result;
}

bool CString::operator==(const char* text) const {
    return std::strcmp(c_str(), text ? text : "") == 0;
}

}  // namespace vx
