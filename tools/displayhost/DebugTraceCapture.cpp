#include "DebugTraceCapture.h"

#include <windows.h>

namespace displayhost {

namespace {

constexpr DWORD kDebugPrintException = 0x40010006;  // DBG_PRINTEXCEPTION_C

DebugTraceCapture* g_active = nullptr;

LONG CALLBACK OnException(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    if (g_active && record->ExceptionCode == kDebugPrintException &&
        record->NumberParameters >= 2 && record->ExceptionInformation[1] != 0) {
        const auto* text = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
        size_t length = record->ExceptionInformation[0];
        // The length counts the terminating zero.
        if (length > 0) --length;
        g_active->Receive(text, length);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

DebugTraceCapture::DebugTraceCapture(Echo echo) : m_echo(std::move(echo)) {
    if (g_active) return;
    g_active = this;
    m_handler = AddVectoredExceptionHandler(1, OnException);
    if (!m_handler) g_active = nullptr;
}

DebugTraceCapture::~DebugTraceCapture() {
    if (m_handler) {
        RemoveVectoredExceptionHandler(m_handler);
        g_active = nullptr;
    }
}

void DebugTraceCapture::Receive(const char* text, size_t length) {
    std::string received(text, length);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_texts.push_back(received);
    }
    if (m_echo) m_echo(received);
}

std::vector<std::string> DebugTraceCapture::Texts() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_texts;
}

std::vector<std::string> DebugTraceCapture::Lines() const {
    std::vector<std::string> lines;
    for (const std::string& text : Texts()) lines.push_back(StripLineEnd(text));
    return lines;
}

void DebugTraceCapture::Clear() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_texts.clear();
}

std::string StripLineEnd(const std::string& text) {
    std::string line = text;
    if (!line.empty() && line.back() == '\n') line.pop_back();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

}  // namespace displayhost
