#pragma once

#include "app/window_host.h"

#include <gtk/gtk.h>

#include <optional>
#include <string_view>

// The program's modal dialogs, owned by parent (none while the main window is
// being made).

void runMessageBox(GtkWindow* parent, std::string_view text, std::string_view caption, MessageIcon);

// "Refresh Rate": a slider from 0 ms ("Fast") to 500 ms ("Slow") with a tick
// at 100, centred on its parent, the slider focused. The slider position on
// OK, nothing on Cancel or when the dialog is closed.
std::optional<int> runRefreshRateDialog(GtkWindow* parent, int position);

// "About": the icon and "Tarnex Version 1.0", with an OK button.
void runAboutBox(GtkWindow* parent);
