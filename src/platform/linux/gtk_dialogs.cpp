#include "platform/linux/gtk_dialogs.h"

#include "app/command_line.h"
#include "app/window_host.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr int kTickPeriodMs = 100;

GtkMessageType messageType(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Warning:
        return GTK_MESSAGE_WARNING;
    case MessageIcon::Error:
        return GTK_MESSAGE_ERROR;
    case MessageIcon::Information:
        break;
    }
    return GTK_MESSAGE_INFO;
}

GtkWidget* modalDialog(GtkWindow* parent, char const* title)
{
    GtkWidget* dialog = gtk_dialog_new();
    gtk_window_set_title(GTK_WINDOW(dialog), title);
    gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
    gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);
    if (parent) {
        gtk_window_set_transient_for(GTK_WINDOW(dialog), parent);
        gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER_ON_PARENT);
    }
    return dialog;
}

} // namespace

void runMessageBox(GtkWindow* parent, std::string_view text, std::string_view caption, MessageIcon icon)
{
    std::string const message(text);
    GtkWidget* dialog = gtk_message_dialog_new(parent, GTK_DIALOG_MODAL, messageType(icon), GTK_BUTTONS_OK, "%s", message.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), std::string(caption).c_str());
    gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
}

std::optional<int> runRefreshRateDialog(GtkWindow* parent, int position)
{
    GtkWidget* dialog = modalDialog(parent, "Refresh Rate");
    gtk_dialog_add_button(GTK_DIALOG(dialog), "OK", GTK_RESPONSE_OK);
    gtk_dialog_add_button(GTK_DIALOG(dialog), "Cancel", GTK_RESPONSE_CANCEL);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);

    GtkWidget* slider = gtk_scale_new_with_range(GTK_ORIENTATION_HORIZONTAL, 0, kSlowestRefreshPeriodMs, 1);
    gtk_scale_set_draw_value(GTK_SCALE(slider), FALSE);
    gtk_scale_add_mark(GTK_SCALE(slider), kTickPeriodMs, GTK_POS_BOTTOM, nullptr);
    gtk_range_set_value(GTK_RANGE(slider), std::clamp(position, 0, kSlowestRefreshPeriodMs));
    gtk_widget_set_size_request(slider, 260, -1);

    GtkWidget* ends = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
    gtk_box_pack_start(GTK_BOX(ends), gtk_label_new("Fast"), FALSE, FALSE, 0);
    gtk_box_pack_end(GTK_BOX(ends), gtk_label_new("Slow"), FALSE, FALSE, 0);

    GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
    gtk_container_set_border_width(GTK_CONTAINER(content), 10);
    gtk_box_pack_start(GTK_BOX(content), slider, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(content), ends, FALSE, FALSE, 0);
    gtk_widget_show_all(content);
    gtk_widget_grab_focus(slider);

    int const response = gtk_dialog_run(GTK_DIALOG(dialog));
    int const chosen = static_cast<int>(std::lround(gtk_range_get_value(GTK_RANGE(slider))));
    gtk_widget_destroy(dialog);
    if (response != GTK_RESPONSE_OK)
        return std::nullopt;
    return chosen;
}

void runAboutBox(GtkWindow* parent)
{
    GtkWidget* dialog = modalDialog(parent, "About");
    gtk_dialog_add_button(GTK_DIALOG(dialog), "OK", GTK_RESPONSE_OK);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
    GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 12);
    gtk_box_pack_start(GTK_BOX(row), gtk_image_new_from_icon_name("dialog-information", GTK_ICON_SIZE_DIALOG), FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(row), gtk_label_new(std::string(kVersionText).c_str()), FALSE, FALSE, 0);
    GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
    gtk_container_set_border_width(GTK_CONTAINER(content), 10);
    gtk_box_pack_start(GTK_BOX(content), row, FALSE, FALSE, 0);
    gtk_widget_show_all(content);
    gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
}
