// Receives the lines that the loaded modules hand to OutputDebugStringA.
// The call raises a debug-print exception before anything else sees it; a
// vectored handler reads the text from it and lets the exception go on to
// the call's own handler, so the program runs exactly as without capture.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace displayhost {

class DebugTraceCapture {
  public:
    using Echo = std::function<void(const std::string& line)>;

    // One capture at a time per process; echo (optional) sees every line as it comes.
    explicit DebugTraceCapture(Echo echo = {});
    ~DebugTraceCapture();
    DebugTraceCapture(const DebugTraceCapture&) = delete;
    DebugTraceCapture& operator=(const DebugTraceCapture&) = delete;

    bool Installed() const { return m_handler != nullptr; }

    // The texts received so far, each exactly as passed (line ends included).
    std::vector<std::string> Texts() const;
    // The same with a trailing carriage return and line feed taken off.
    std::vector<std::string> Lines() const;
    void Clear();

    // Called by the exception handler.
    void Receive(const char* text, size_t length);

  private:
    void* m_handler = nullptr;
    Echo m_echo;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_texts;
};

// The line without its trailing "\r\n" (or "\n").
std::string StripLineEnd(const std::string& text);

}  // namespace displayhost
