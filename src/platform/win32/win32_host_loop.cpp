#include "platform/win32/win32_host.h"

#include "platform/win32/resource.h"

int Win32Host::runLoop(LoopMode mode)
{
    return mode == LoopMode::Blocking ? runBlockingLoop() : runPollingLoop();
}

// Waits for each message; the redraw timer and invalidation bring the paints.
int Win32Host::runBlockingLoop()
{
    HACCEL const accelerators = LoadAcceleratorsA(m_instance, MAKEINTRESOURCEA(IDC_TARNEX));
    MSG message {};
    // GetMessage answers -1 on failure: that ends the loop as quit does,
    // rather than spinning on the failure.
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (accelerators != nullptr && m_window != nullptr && TranslateAcceleratorA(m_window, accelerators, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

// Never waits: at most one message per pass, then a paint, as fast as the
// loop turns.
int Win32Host::runPollingLoop()
{
    MSG message {};
    for (;;) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                break;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        // Once the window is gone there is nothing left to paint; the quit
        // message follows on the next pass.
        if (m_window != nullptr)
            m_events->onPaint();
    }
    return static_cast<int>(message.wParam);
}
