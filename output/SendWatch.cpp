#include "SendWatch.h"

void SendWatch::Note(bool sent, const std::string& where, const std::string& reason)
{
    if (!sent && !m_failing)
        writeLog(m_category, LogLevel::Warning,
                 "cannot send to " + where + ": " + reason +
                     "; frames are lost until sending works again");
    else if (sent && m_failing)
        writeLog(m_category, LogLevel::Warning, "sending to " + where + " works again");
    m_failing = !sent;
}
