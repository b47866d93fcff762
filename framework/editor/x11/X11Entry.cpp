#include "framework/editor/x11/X11Entry.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>

X11Entry::X11Entry(Display* display, Window editor, const EntryLayout& layout,
                   EditorWindowLogic& logic, int editorWidth, int editorHeight)
    : display_(display),
      logic_(logic),
      isList_(layout.isList),
      box_(layout.box),
      openHeight_(layout.box.H()),
      text_(layout.text),
      cursor_(layout.text.size()),
      items_(layout.items),
      selected_(layout.selected) {
    // A closed list shows one field; the items drop below it when clicked.
    if (isList_) box_.bottom = box_.top + kFieldHeight;
    // Keep the entry inside the editor so it can always be seen and clicked.
    int w = std::max(1, box_.W());
    int h = std::max(1, box_.H());
    int x = std::clamp(box_.left, 0, std::max(0, editorWidth - w));
    int y = std::clamp(box_.top, 0, std::max(0, editorHeight - h));
    box_ = {x, y, x + w, y + h};
    if (isList_) openHeight_ = std::min(openHeight_, std::max(h, editorHeight - y));

    XSetWindowAttributes attributes{};
    attributes.background_pixel = WhitePixel(display_, DefaultScreen(display_));
    attributes.border_pixel = BlackPixel(display_, DefaultScreen(display_));
    attributes.event_mask = ExposureMask | ButtonPressMask | KeyPressMask | FocusChangeMask;
    window_ = XCreateWindow(display_, editor, x, y, unsigned(w), unsigned(h), 1, CopyFromParent,
                            InputOutput, CopyFromParent, CWBackPixel | CWBorderPixel | CWEventMask,
                            &attributes);
    if (!window_) return;
    gc_ = XCreateGC(display_, window_, 0, nullptr);
    font_ = XLoadQueryFont(display_, "-misc-fixed-medium-r-*-*-13-*-*-*-*-*-iso8859-1");
    if (!font_) font_ = XLoadQueryFont(display_, "fixed");
    if (font_) XSetFont(display_, gc_, font_->fid);
    XMapRaised(display_, window_);
}

X11Entry::~X11Entry() {
    DestroyEntry();
}

void X11Entry::DestroyEntry() {
    if (font_) XFreeFont(display_, font_);
    font_ = nullptr;
    if (gc_) XFreeGC(display_, gc_);
    gc_ = nullptr;
    if (window_) XDestroyWindow(display_, window_);
    window_ = 0;
}

void X11Entry::SetEntryText(const std::string& text) {
    text_ = text;
    cursor_ = text_.size();
    Draw();
}

std::string X11Entry::EntryText(int maxChars) {
    return text_.substr(0, size_t(std::max(0, maxChars)));
}

bool X11Entry::HandleEvent(XEvent& event) {
    if (!window_ || event.xany.window != window_) return false;
    switch (event.type) {
        case Expose:
            if (event.xexpose.count == 0) Draw();
            break;
        case ButtonPress:
            OnPress(event.xbutton);
            break;
        case KeyPress:
            OnKey(event.xkey);
            break;
        case FocusIn:
            if (event.xfocus.detail != NotifyPointer) {
                focused_ = true;
                logic_.EntryFocusChanged(true);
                Draw();
            }
            break;
        case FocusOut:
            if (event.xfocus.detail != NotifyPointer && event.xfocus.detail != NotifyInferior) {
                focused_ = false;
                logic_.EntryFocusChanged(false);
                SetDropped(false);
                Draw();
            }
            break;
        default:
            break;
    }
    return true;
}

void X11Entry::OnPress(XButtonEvent& button) {
    if (button.button != Button1) return;
    // Clicking into the entry gives it the keyboard focus, as with a system
    // control; the focus change then reaches the logic.
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
    if (!isList_) {
        int w = font_ ? XTextWidth(font_, text_.c_str(), int(text_.size())) : 0;
        int left = (box_.W() - w) / 2;
        cursor_ = text_.size();
        if (font_) {
            for (size_t i = 0; i <= text_.size(); ++i) {
                if (left + XTextWidth(font_, text_.c_str(), int(i)) >= button.x) {
                    cursor_ = i;
                    break;
                }
            }
        }
        Draw();
        return;
    }
    if (!dropped_ || button.y < kFieldHeight) {
        SetDropped(!dropped_);
        return;
    }
    int index = (button.y - kFieldHeight) / kItemHeight;
    if (index >= 0 && index < int(items_.size())) {
        Select(index);
        SetDropped(false);
        logic_.EntryCommitted();
    }
}

void X11Entry::Select(int index) {
    selected_ = index;
    text_ = items_[size_t(index)];
    cursor_ = text_.size();
    Draw();
}

void X11Entry::SetDropped(bool dropped) {
    if (!isList_ || dropped == dropped_) return;
    dropped_ = dropped;
    int h = dropped ? std::max(openHeight_, kFieldHeight) : kFieldHeight;
    XResizeWindow(display_, window_, unsigned(box_.W()), unsigned(h));
    XRaiseWindow(display_, window_);
    Draw();
}

void X11Entry::OnKey(XKeyEvent& key) {
    char buffer[16] = {};
    KeySym sym = 0;
    int n = XLookupString(&key, buffer, sizeof buffer, &sym, nullptr);
    if (sym == XK_Return || sym == XK_KP_Enter) {
        logic_.EntryCommitted();
        return;
    }
    if (isList_) {
        // Moving through the list changes the choice, which applies it.
        int count = int(items_.size());
        if (count == 0) return;
        if (sym == XK_Down || sym == XK_Up) {
            int next = selected_ < 0 ? 0 : selected_ + (sym == XK_Down ? 1 : -1);
            next = std::clamp(next, 0, count - 1);
            if (next != selected_) {
                Select(next);
                logic_.EntryCommitted();
            }
        }
        return;
    }
    switch (sym) {
        case XK_BackSpace:
            if (cursor_ > 0) text_.erase(--cursor_, 1);
            break;
        case XK_Delete:
            if (cursor_ < text_.size()) text_.erase(cursor_, 1);
            break;
        case XK_Left:
            if (cursor_ > 0) --cursor_;
            break;
        case XK_Right:
            if (cursor_ < text_.size()) ++cursor_;
            break;
        case XK_Home:
            cursor_ = 0;
            break;
        case XK_End:
            cursor_ = text_.size();
            break;
        default:
            for (int i = 0; i < n; ++i) {
                unsigned char c = static_cast<unsigned char>(buffer[i]);
                if (c >= 32 && c != 127) text_.insert(cursor_++, 1, char(c));
            }
            break;
    }
    Draw();
}

void X11Entry::Draw() {
    if (!window_ || !gc_) return;
    int screen = DefaultScreen(display_);
    unsigned long black = BlackPixel(display_, screen);
    unsigned long white = WhitePixel(display_, screen);
    int ascent = font_ ? font_->ascent : 10;
    int descent = font_ ? font_->descent : 3;
    auto textWidth = [&](const std::string& s, size_t n) {
        return font_ ? XTextWidth(font_, s.c_str(), int(std::min(n, s.size()))) : int(n) * 6;
    };
    int w = box_.W();
    XClearWindow(display_, window_);
    XSetForeground(display_, gc_, black);
    int fieldH = isList_ ? kFieldHeight : box_.H();
    int baseline = (fieldH + ascent - descent) / 2;
    if (isList_) {
        XDrawString(display_, window_, gc_, 4, baseline, text_.c_str(), int(text_.size()));
        // The drop-down mark.
        XPoint mark[3] = {
            {short(w - 14), short(8)}, {short(w - 6), short(8)}, {short(w - 10), short(13)}};
        XFillPolygon(display_, window_, gc_, mark, 3, Convex, CoordModeOrigin);
        if (dropped_) {
            XDrawLine(display_, window_, gc_, 0, kFieldHeight - 1, w, kFieldHeight - 1);
            for (size_t k = 0; k < items_.size(); ++k) {
                int top = kFieldHeight + int(k) * kItemHeight;
                int itemBaseline = top + (kItemHeight + ascent - descent) / 2;
                if (int(k) == selected_) {
                    XFillRectangle(display_, window_, gc_, 0, top, unsigned(w), kItemHeight);
                    XSetForeground(display_, gc_, white);
                }
                XDrawString(display_, window_, gc_, 4, itemBaseline, items_[k].c_str(),
                            int(items_[k].size()));
                XSetForeground(display_, gc_, black);
            }
        }
    } else {
        int tw = textWidth(text_, text_.size());
        int left = (w - tw) / 2;
        XDrawString(display_, window_, gc_, left, baseline, text_.c_str(), int(text_.size()));
        if (focused_) {
            int cx = left + textWidth(text_, cursor_);
            XDrawLine(display_, window_, gc_, cx, baseline - ascent, cx, baseline + descent);
        }
    }
    XFlush(display_);
}
