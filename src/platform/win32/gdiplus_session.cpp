#include "platform/win32/gdiplus_session.h"

#include "platform/win32/gdiplus_api.h"

GdiplusSession::GdiplusSession()
{
    // Version 1, no debug callback, background thread and external codecs kept.
    gdip::GdiplusStartupInput const input;
    ULONG_PTR token = 0;
    if (gdip::GdiplusStartup(&token, &input, nullptr) == gdip::Ok)
        m_token = token;
}

GdiplusSession::~GdiplusSession()
{
    if (m_token != 0)
        gdip::GdiplusShutdown(m_token);
}
