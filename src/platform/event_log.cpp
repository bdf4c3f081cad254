#include "platform/event_log.h"

#include <syslog.h>

namespace jex {

// The identity is process-wide; the log is left open for the life of the process, as other
// instances may still write to it.
SyslogEventLog::SyslogEventLog() { openlog("JEXDiscussionsXML", LOG_PID, LOG_USER); }

void SyslogEventLog::write(const std::string& text) {
    syslog(LOG_USER | LOG_INFO, "%s", text.c_str());
}

}  // namespace jex
