#pragma once

#include <cstdint>

// GDI+ is started once for the life of this object and shut down when it ends;
// every GDI+ object must be released before then.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(GdiplusSession const&) = delete;
    GdiplusSession& operator=(GdiplusSession const&) = delete;

    bool started() const { return m_token != 0; }

private:
    std::uintptr_t m_token = 0;
};
