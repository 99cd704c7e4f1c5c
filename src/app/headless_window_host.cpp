#include "app/headless_window_host.h"

HeadlessWindowHost::HeadlessWindowHost(ClientSize client, std::ostream& messages)
    : m_client(client)
    , m_messages(messages)
{
}

bool HeadlessWindowHost::create(WindowGeometry const&, std::string_view, WindowEvents& events)
{
    m_events = &events;
    events.onCreate();
    return true;
}

void HeadlessWindowHost::destroy()
{
    if (m_events)
        m_events->onDestroy();
}

void HeadlessWindowHost::showMessageBox(std::string_view text, std::string_view caption, MessageIcon)
{
    m_messages << caption << ": " << text << '\n';
}
