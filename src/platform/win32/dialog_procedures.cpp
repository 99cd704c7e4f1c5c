#include "platform/win32/dialog_procedures.h"

#include "app/window_host.h"
#include "platform/win32/resource.h"

#include <commctrl.h>

namespace {

constexpr int kDefaultPeriodTick = 100;

struct RefreshRateDialogState {
    int position = 0;
};

// Centres the dialog on its owner, or on the desktop when it has none.
void centreOnParent(HWND dialog)
{
    HWND parent = GetParent(dialog);
    if (parent == nullptr)
        parent = GetDesktopWindow();
    RECT parentRect {};
    RECT dialogRect {};
    GetWindowRect(parent, &parentRect);
    GetWindowRect(dialog, &dialogRect);
    int const dialogWidth = dialogRect.right - dialogRect.left;
    int const dialogHeight = dialogRect.bottom - dialogRect.top;
    int const x = parentRect.left + (parentRect.right - parentRect.left - dialogWidth) / 2;
    int const y = parentRect.top + (parentRect.bottom - parentRect.top - dialogHeight) / 2;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

INT_PTR CALLBACK refreshRateProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        auto const* const state = reinterpret_cast<RefreshRateDialogState const*>(lParam);
        centreOnParent(dialog);
        HWND const slider = GetDlgItem(dialog, IDC_REFRESH_SLIDER);
        SetFocus(slider);
        SendMessageA(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, kSlowestRefreshPeriodMs));
        SendMessageA(slider, TBM_SETTIC, 0, kDefaultPeriodTick);
        SendMessageA(slider, TBM_SETPOS, TRUE, state->position);
        return FALSE; // the focus is set
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            auto* const state = reinterpret_cast<RefreshRateDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
            state->position = static_cast<int>(SendDlgItemMessageA(dialog, IDC_REFRESH_SLIDER, TBM_GETPOS, 0, 0));
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

INT_PTR CALLBACK aboutProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

} // namespace

std::optional<int> runRefreshRateDialogBox(HINSTANCE instance, HWND owner, int position)
{
    // The slider is a common control: its class must be registered first.
    INITCOMMONCONTROLSEX controls {};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);

    RefreshRateDialogState state { position };
    INT_PTR const result = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_REFRESH_RATE), owner, refreshRateProcedure,
        reinterpret_cast<LPARAM>(&state));
    if (result != IDOK)
        return std::nullopt;
    return state.position;
}

void runAboutDialogBox(HINSTANCE instance, HWND owner)
{
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ABOUTBOX), owner, aboutProcedure, 0);
}
