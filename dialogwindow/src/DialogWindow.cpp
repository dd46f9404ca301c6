#include "vendrel/dialogwindow/DialogWindow.h"

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include <gdk/gdkkeysyms.h>

#include "ADMTypes.h"
#include "vendrel/host/AdmDialog.h"
#include "vendrel/host/DialogRenderer.h"
#include "vendrel/host/MacRoman.h"

namespace vendrel::dialogwindow {

namespace {

constexpr const char* kWindowName = "vendrel-dialog";
constexpr guint kCancelPollMilliseconds = 200;

// The dialogs are laid out in pixels for a small dialog font and thin widget frames.
void useDialogStyle()
{
    gtk_rc_parse_string("style \"vendrel-dialog\" {\n"
                        "  font_name = \"Sans 8\"\n"
                        "  xthickness = 1\n"
                        "  ythickness = 1\n"
                        "  GtkButton::inner-border = {0, 0, 0, 0}\n"
                        "  GtkButton::default-border = {0, 0, 0, 0}\n"
                        "  GtkWidget::focus-padding = 0\n"
                        "}\n"
                        "widget \"vendrel-dialog*\" style \"vendrel-dialog\"\n");
}

bool inside(const AdmRect& outer, const AdmRect& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom && inner.width() > 0 && inner.height() > 0;
}

std::string utf8(const std::string& bytes)
{
    return macRomanToUtf8(bytes);
}

class DialogWindow {
public:
    DialogWindow(AdmDialog& dialog, const RgbRaster& picture, const WindowHooks& hooks)
        : dialog_(dialog), picture_(picture), hooks_(hooks)
    {
    }

    int32_t run()
    {
        build();
        show();
        waitUntilEnded();
        close();
        if (failure_) {
            std::rethrow_exception(failure_);
        }
        return dialog_.ended() ? dialog_.endingId() : dialog_.cancelItemId();
    }

private:
    struct Bound {
        AdmItem* item;
        GtkWidget* widget;
    };

    void build()
    {
        useDialogStyle();
        window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        gtk_widget_set_name(window_, kWindowName);
        gtk_window_set_title(GTK_WINDOW(window_), utf8(dialog_.caption()).c_str());
        gtk_window_set_role(GTK_WINDOW(window_), dialog_.name().c_str());
        gtk_window_set_modal(GTK_WINDOW(window_), TRUE);
        gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
        g_signal_connect(window_, "delete-event", G_CALLBACK(onDelete), this);
        g_signal_connect(window_, "key-press-event", G_CALLBACK(onKey), this);

        const AdmRect frame = dialog_.localRect();
        GtkWidget* fixed = gtk_fixed_new();
        gtk_widget_set_size_request(fixed, frame.width(), frame.height());
        gtk_container_add(GTK_CONTAINER(window_), fixed);
        for (AdmItem* item : dialog_.items()) {
            // Items outside the dialog's rectangle are not seen, as in the host's own drawing.
            if (!inside(frame, item->bounds())) {
                continue;
            }
            GtkWidget* widget = makeWidget(*item);
            if (widget == nullptr) {
                continue;
            }
            const AdmRect r = item->bounds();
            gtk_widget_set_size_request(widget, r.width(), r.height());
            if (!item->tooltip().empty()) {
                gtk_widget_set_tooltip_text(widget, utf8(item->tooltip()).c_str());
            }
            gtk_fixed_put(GTK_FIXED(fixed), widget, r.left, r.top);
            bound_.push_back({item, widget});
            if (item->id() == dialog_.defaultItemId()) {
                gtk_widget_set_can_default(widget, TRUE);
                gtk_window_set_default(GTK_WINDOW(window_), widget);
            }
        }
    }

    void show()
    {
        dialog_.setRedrawHandler([this] { redrawCustomItems(); });
        refresh();
        focusFirstControl();
        if (hooks_.placeWindow != nullptr) {
            hooks_.placeWindow(GTK_WINDOW(window_));
        }
        gtk_widget_show_all(window_);
    }

    void waitUntilEnded()
    {
        loop_ = g_main_loop_new(nullptr, FALSE);
        const guint poll = hooks_.cancelRequested != nullptr ? g_timeout_add(kCancelPollMilliseconds, onPoll, this) : 0;
        if (!dialog_.ended()) {
            g_main_loop_run(loop_);
        }
        if (poll != 0) {
            g_source_remove(poll);
        }
        g_main_loop_unref(loop_);
        loop_ = nullptr;
    }

    void close()
    {
        dialog_.setRedrawHandler({});
        updating_ = true; // the widgets' last signals (an entry losing focus) reach the dialog no more
        gtk_widget_destroy(window_);
        gdk_flush(); // the window goes at once, not when a later loop runs (the filter's walk comes next)
    }

    GtkWidget* makeWidget(AdmItem& item)
    {
        const std::string& type = item.typeName();
        if (type == kADMTextStaticType) {
            GtkWidget* label = gtk_label_new(utf8(item.text()).c_str());
            gtk_misc_set_alignment(GTK_MISC(label), 0, 0);
            gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
            return label;
        }
        if (type == kADMTextEditType) {
            GtkWidget* entry = gtk_entry_new();
            connect(entry, "activate", G_CALLBACK(onEntryActivate));
            connect(entry, "focus-out-event", G_CALLBACK(onEntryFocusOut));
            return entry;
        }
        if (type == kADMTextCheckBoxType) {
            GtkWidget* box = gtk_check_button_new_with_label(utf8(item.text()).c_str());
            connect(box, "toggled", G_CALLBACK(onToggled));
            return box;
        }
        if (type == kADMTextRadioButtonType) {
            GtkWidget* radio = gtk_radio_button_new_with_label(radioGroup_, utf8(item.text()).c_str());
            radioGroup_ = gtk_radio_button_get_group(GTK_RADIO_BUTTON(radio));
            connect(radio, "toggled", G_CALLBACK(onToggled));
            return radio;
        }
        if (type == kADMPopupListType) {
            GtkWidget* combo = gtk_combo_box_text_new();
            for (const std::string& entry : item.popupEntries()) {
                gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(combo), utf8(entry).c_str());
            }
            connect(combo, "changed", G_CALLBACK(onPopupChanged));
            return combo;
        }
        if (type == kADMFrameType) {
            return gtk_hseparator_new();
        }
        if (type == kADMTextPushButtonType) {
            GtkWidget* button = gtk_button_new_with_label(utf8(item.text()).c_str());
            connect(button, "clicked", G_CALLBACK(onClicked));
            return button;
        }
        if (type == kADMPicturePushButtonType) {
            return pictureButton(item);
        }
        if (item.drawsItself()) {
            GtkWidget* area = gtk_drawing_area_new();
            gtk_widget_add_events(area, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK);
            connect(area, "expose-event", G_CALLBACK(onExpose));
            connect(area, "button-release-event", G_CALLBACK(onButtonRelease));
            return area;
        }
        return nullptr;
    }

    // The picture button as the host draws it (its bitmap on a button face), clickable. Where the picture
    // does not reach (a dialog that could not be drawn), the face stays the dialog's grey.
    GtkWidget* pictureButton(AdmItem& item)
    {
        const AdmRect r = item.bounds();
        GdkPixbuf* face = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, r.width(), r.height());
        gdk_pixbuf_fill(face, 0xF0F0F0FF);
        for (int32_t y = 0; y < r.height(); ++y) {
            guchar* row = gdk_pixbuf_get_pixels(face) + y * gdk_pixbuf_get_rowstride(face);
            for (int32_t x = 0; x < r.width(); ++x) {
                if (!picture_.contains(r.left + x, r.top + y)) {
                    continue;
                }
                const uint8_t* source = picture_.at(r.left + x, r.top + y);
                row[x * 3] = source[0];
                row[x * 3 + 1] = source[1];
                row[x * 3 + 2] = source[2];
            }
        }
        GtkWidget* image = gtk_image_new_from_pixbuf(face);
        g_object_unref(face);
        GtkWidget* box = gtk_event_box_new();
        gtk_container_add(GTK_CONTAINER(box), image);
        connect(box, "button-release-event", G_CALLBACK(onButtonRelease));
        return box;
    }

    void connect(GtkWidget* widget, const char* signal, GCallback handler)
    {
        g_signal_connect(widget, signal, handler, this);
    }

    AdmItem* itemOf(GtkWidget* widget) const
    {
        for (const Bound& b : bound_) {
            if (b.widget == widget) {
                return b.item;
            }
        }
        return nullptr;
    }

    // After every action: end the loop when the dialog ended, else show the items as they now stand.
    void afterAction()
    {
        if (dialog_.ended()) {
            g_main_loop_quit(loop_);
            return;
        }
        refresh();
    }

    void refresh()
    {
        updating_ = true;
        for (const Bound& b : bound_) {
            gtk_widget_set_sensitive(b.widget, b.item->enabled());
            const std::string& type = b.item->typeName();
            if (type == kADMTextCheckBoxType || (type == kADMTextRadioButtonType && b.item->booleanValue())) {
                gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(b.widget), b.item->booleanValue());
            } else if (type == kADMTextEditType) {
                gtk_entry_set_text(GTK_ENTRY(b.widget), utf8(b.item->valueText()).c_str());
            } else if (type == kADMPopupListType) {
                gtk_combo_box_set_active(GTK_COMBO_BOX(b.widget), b.item->activeEntryIndex());
            } else if (type == kADMTextStaticType) {
                gtk_label_set_text(GTK_LABEL(b.widget), utf8(b.item->text()).c_str());
            }
        }
        updating_ = false;
        redrawCustomItems();
    }

    // The first enabled entry field, top to bottom and left to right, else the default button: Enter then means
    // OK at once, never a check box that happens to come first.
    void focusFirstControl()
    {
        std::vector<Bound> order = bound_;
        std::stable_sort(order.begin(), order.end(), [](const Bound& a, const Bound& b) {
            const AdmRect first = a.item->bounds(), second = b.item->bounds();
            return first.top != second.top ? first.top < second.top : first.left < second.left;
        });
        const auto field = std::find_if(order.begin(), order.end(),
                                        [](const Bound& b) { return GTK_IS_ENTRY(b.widget) && b.item->enabled(); });
        if (field != order.end()) {
            gtk_widget_grab_focus(field->widget);
            return;
        }
        for (const Bound& b : bound_) {
            if (b.item->id() == dialog_.defaultItemId() && b.item->enabled() && gtk_widget_get_can_focus(b.widget)) {
                gtk_widget_grab_focus(b.widget);
            }
        }
    }

    void redrawCustomItems()
    {
        for (const Bound& b : bound_) {
            if (GTK_IS_DRAWING_AREA(b.widget)) {
                gtk_widget_queue_draw(b.widget);
            }
        }
    }

    // Typed text reaches the dialog when the field is left or Enter is pressed, and before any button acts.
    void commitEntry(GtkWidget* entry)
    {
        AdmItem* item = itemOf(entry);
        const std::string text = gtk_entry_get_text(GTK_ENTRY(entry));
        if (item == nullptr || updating_ || dialog_.ended() || text == utf8(item->valueText())) {
            return;
        }
        dialog_.typeText(*item, text);
        afterAction();
    }

    void commitAllEntries()
    {
        for (const Bound& b : bound_) {
            if (GTK_IS_ENTRY(b.widget)) {
                commitEntry(b.widget);
            }
        }
    }

    void click(GtkWidget* widget)
    {
        AdmItem* item = itemOf(widget);
        if (item == nullptr || updating_ || dialog_.ended()) {
            return;
        }
        commitAllEntries();
        if (!dialog_.ended()) {
            dialog_.click(*item);
        }
        afterAction();
    }

    void cancel()
    {
        commitAllEntries();
        if (!dialog_.ended() && !dialog_.pressCancel()) {
            g_main_loop_quit(loop_); // a dialog that cannot cancel still closes: the run counts as cancelled
            return;
        }
        afterAction();
    }

    // GTK's signal handlers are C frames: an exception from the dialog manager stops the loop here and is
    // thrown again once the window is gone.
    template <typename Action> void guarded(Action action) noexcept
    {
        if (failure_) {
            return;
        }
        try {
            action();
        } catch (...) {
            failure_ = std::current_exception();
            if (loop_ != nullptr) {
                g_main_loop_quit(loop_);
            }
        }
    }

    static void onEntryActivate(GtkWidget* entry, DialogWindow* self)
    {
        self->guarded([&] {
            self->commitEntry(entry);
            if (!self->dialog_.ended()) {
                gtk_window_activate_default(GTK_WINDOW(self->window_));
            }
        });
    }
    static gboolean onEntryFocusOut(GtkWidget* entry, GdkEvent*, DialogWindow* self)
    {
        self->guarded([&] { self->commitEntry(entry); });
        return FALSE;
    }
    static void onToggled(GtkWidget* button, DialogWindow* self)
    {
        AdmItem* item = self->itemOf(button);
        if (self->updating_ || item == nullptr) {
            return;
        }
        // A radio turned off by its group is the dialog manager's business, not a click.
        if (GTK_IS_RADIO_BUTTON(button) && !gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(button))) {
            return;
        }
        self->guarded([&] { self->click(button); });
    }
    static void onClicked(GtkWidget* button, DialogWindow* self)
    {
        self->guarded([&] { self->click(button); });
    }
    static void onPopupChanged(GtkWidget* combo, DialogWindow* self)
    {
        AdmItem* item = self->itemOf(combo);
        if (self->updating_ || item == nullptr || self->dialog_.ended()) {
            return;
        }
        self->guarded([&] {
            self->dialog_.choosePopupEntry(*item, gtk_combo_box_get_active(GTK_COMBO_BOX(combo)));
            self->afterAction();
        });
    }
    static gboolean onButtonRelease(GtkWidget* widget, GdkEventButton* event, DialogWindow* self)
    {
        GtkAllocation area;
        gtk_widget_get_allocation(widget, &area);
        if (event->button == 1 && event->x >= 0 && event->y >= 0 && event->x < area.width && event->y < area.height) {
            self->guarded([&] { self->click(widget); });
        }
        return TRUE;
    }
    static gboolean onExpose(GtkWidget* widget, GdkEventExpose*, DialogWindow* self)
    {
        AdmItem* item = self->itemOf(widget);
        if (item == nullptr) {
            return FALSE;
        }
        self->guarded([&] { self->paintCustomItem(widget, *item); });
        return TRUE;
    }
    static gboolean onDelete(GtkWidget*, GdkEvent*, DialogWindow* self)
    {
        self->guarded([&] { self->cancel(); });
        return TRUE;
    }
    static gboolean onKey(GtkWidget*, GdkEventKey* event, DialogWindow* self)
    {
        if (event->keyval != GDK_KEY_Escape) {
            return FALSE;
        }
        self->guarded([&] { self->cancel(); });
        return TRUE;
    }
    static gboolean onPoll(gpointer data)
    {
        auto* self = static_cast<DialogWindow*>(data);
        if (self->hooks_.cancelRequested()) {
            self->guarded([&] { self->cancel(); });
        }
        return G_SOURCE_CONTINUE;
    }

    // A custom item draws itself through the dialog manager's recording drawer; the operations are replayed here.
    void paintCustomItem(GtkWidget* widget, AdmItem& item)
    {
        cairo_t* cr = gdk_cairo_create(gtk_widget_get_window(widget));
        cairo_set_line_width(cr, 1);
        for (const AdmDrawOp& op : dialog_.recordDrawing(item)) {
            cairo_set_source_rgb(cr, op.red / 255.0, op.green / 255.0, op.blue / 255.0);
            if (op.kind == AdmDrawOp::Kind::fill) {
                cairo_rectangle(cr, op.rect.left, op.rect.top, op.rect.width(), op.rect.height());
                cairo_fill(cr);
            } else {
                cairo_rectangle(cr, op.rect.left + 0.5, op.rect.top + 0.5, op.rect.width() - 1, op.rect.height() - 1);
                cairo_stroke(cr);
            }
        }
        cairo_destroy(cr);
    }

    AdmDialog& dialog_;
    const RgbRaster& picture_;
    WindowHooks hooks_;
    GtkWidget* window_ = nullptr;
    GMainLoop* loop_ = nullptr;
    GSList* radioGroup_ = nullptr;
    std::vector<Bound> bound_;
    bool updating_ = false;
    std::exception_ptr failure_;
};

} // namespace

int32_t runDialogWindow(AdmDialog& dialog, const RgbRaster& picture, const WindowHooks& hooks)
{
    DialogWindow window(dialog, picture, hooks);
    return window.run();
}

} // namespace vendrel::dialogwindow
