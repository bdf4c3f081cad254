#pragma once

#include <string>
#include <vector>

namespace jex {

// The application event log: one entry per write, at the log's default event type. A failure
// of the platform's log is raised as the control's Error.
class EventLog {
  public:
    virtual ~EventLog() = default;
    virtual void write(const std::string& text) = 0;
};

// Writes to the system log as "JEXDiscussionsXML", user facility, informational; a text of
// several lines stays one message. Never fails: the system log drops what it cannot take.
class SyslogEventLog : public EventLog {
  public:
    SyslogEventLog();
    void write(const std::string& text) override;
};

// Keeps the entries in memory, for tests and hosts without a system log. Never fails.
class MemoryEventLog : public EventLog {
  public:
    void write(const std::string& text) override { m_entries.push_back(text); }
    const std::vector<std::string>& entries() const { return m_entries; }

  private:
    std::vector<std::string> m_entries;
};

}  // namespace jex
