#pragma once
// Where the engine's warnings go. The engine never opens a window: it hands
// each warning (a caption such as "Warning" and a text) to the current sink.
// The user interface installs a sink that shows the message box; tests install
// a recording sink and check what was said. Until something is installed,
// warnings are written to stderr.

#include <string>
#include <vector>

class TWarningSink {
public:
    virtual ~TWarningSink() = default;
    virtual void Warning(const std::string& Caption, const std::string& Text) = 0;
};

// Writes "Caption: Text" lines to stderr.
class TStderrWarningSink : public TWarningSink {
public:
    void Warning(const std::string& Caption, const std::string& Text) override;
};

// Keeps every warning in order, for a window to show later or a test to read.
class TRecordingWarningSink : public TWarningSink {
public:
    struct TMessage {
        std::string Caption;
        std::string Text;
    };

    void Warning(const std::string& Caption, const std::string& Text) override;

    const std::vector<TMessage>& Messages() const { return Recorded; }
    std::size_t Count() const { return Recorded.size(); }
    // The text of the last warning; empty when there was none.
    std::string LastText() const;
    void Clear() { Recorded.clear(); }

private:
    std::vector<TMessage> Recorded;
};

// The process-wide current sink (the stderr sink until one is installed).
TWarningSink& CurrentWarningSink();

// Installs Sink as the current one and returns the previous one; nullptr puts
// the stderr sink back. The caller keeps ownership of Sink.
TWarningSink* SetWarningSink(TWarningSink* Sink);

// Hands one warning to the current sink.
void ShowWarning(const std::string& Caption, const std::string& Text);

// Installs a sink for the lifetime of this object, then restores the previous.
class TScopedWarningSink {
public:
    explicit TScopedWarningSink(TWarningSink& Sink) : Previous(SetWarningSink(&Sink)) {}
    ~TScopedWarningSink() { SetWarningSink(Previous); }
    TScopedWarningSink(const TScopedWarningSink&) = delete;
    TScopedWarningSink& operator=(const TScopedWarningSink&) = delete;

private:
    TWarningSink* Previous;
};
